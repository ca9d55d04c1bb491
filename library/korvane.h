/* The interface of the Korvane library: four exports that carry one design
   from the parameter file to a DXF drawing, the hook through which the
   host shows the library's messages, the curve placed in the world, and
   routes.

   Strings are 8-bit and NUL-terminated (paths in the file-system encoding,
   texts in cp932); results are 1 for success and 0 for failure. Calls must not
   overlap: the library keeps one global design. */
#ifndef KORVANE_H
#define KORVANE_H

#ifdef _WIN32
#  define KORVANE_CALL __stdcall
#  if defined(KORVANE_BUILDING)
#    define KORVANE_API __declspec(dllexport)
#  elif defined(KORVANE_STATIC)
#    define KORVANE_API
#  else
#    define KORVANE_API __declspec(dllimport)
#  endif
#else
#  define KORVANE_CALL
#  define KORVANE_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Creates or empties the parameter file. */
KORVANE_API int KORVANE_CALL setteifincls(const char *path);

/* Appends one piece of text to the parameter file; a piece beginning with
   "?" writes a line end instead. */
KORVANE_API int KORVANE_CALL setteifin(const char *text, const char *path);

/* Reads the parameter file and checks the design. */
KORVANE_API int KORVANE_CALL data_chekvb(const char *path);

/* Draws the design of the parameter file into a DXF file. */
KORVANE_API int KORVANE_CALL save_DXF(const char *outputPath, const char *paramPath,
                                      const char *templatePath, const char *tempPath);

/* Receives every message of the library as NUL-terminated cp932 text, valid
   only during the call; returns when the user has dismissed it. The handler
   has the calling convention of the exports, KORVANE_CALL (__stdcall on
   Windows, where the callee pops its argument), so a host passes a callback
   declared like the exports it calls. */
typedef void (KORVANE_CALL *korvane_message_handler)(const char *text);

/* Installs the handler; a null handler restores the default: on Windows a
   modal MessageBoxA captioned "エラー" with an OK button and no owner window,
   elsewhere one line on stderr in UTF-8. */
KORVANE_API void KORVANE_CALL korvane_set_message_handler(korvane_message_handler handler);

/* The curve placed in the plane rectangular coordinate system (JGD2011, X
   north, Y east). placementPath names a UTF-8 file with a [placement] section
   (zone, route, bp, ip, ep; a design file will do); the design comes from the
   parameter file at paramPath, with the IA derived from BP, IP and EP in place
   of its own. */

/* Writes the derived IA and curve direction as UTF-8 "key = value" lines:
   ia.degrees, ia.minutes, ia.seconds, curve.direction (up/down), turn
   (left/right) and parameter.line (the IA line for the parameter file). */
KORVANE_API int KORVANE_CALL korvane_placement_angle(const char *paramPath, const char *placementPath,
                                                     const char *outputPath);

/* Writes the coordinate table (CSV: 点名,測点,追加距離,X,Y,方向角) in cp932,
   or in UTF-8 with a byte-order mark when utf8WithBom is not 0. */
KORVANE_API int KORVANE_CALL korvane_coordinate_table(const char *paramPath, const char *placementPath,
                                                      const char *csvPath, int utf8WithBom);

/* Writes the alignment as J-LandXML (LandXML 1.2). */
KORVANE_API int KORVANE_CALL korvane_landxml(const char *paramPath, const char *placementPath,
                                             const char *xmlPath);

/* Routes: a chain of curves from BP to EP (see docs/route.md). inputPath
   names a route file (.rvr), an IP table as CSV (UTF-8 or cp932) or a
   LandXML file, told apart by content. settingsPath is null, empty, or
   names a route file without IP table whose [route] settings replace those
   of the input (the options of a command line); its key "alignment" names
   the alignment to read from a LandXML file with more than one. A LandXML
   alignment's line is its own elements (Line, Curve, Spiral), read one by
   one. Every refusal and warning goes to the message
   handler, a warning as "警告: " and its text; a refused route writes
   nothing. Each output replaces an earlier file only once it is complete. */

/* Reads and computes the route and shows its messages; 1 when it stands. */
KORVANE_API int KORVANE_CALL korvane_route_check(const char *inputPath, const char *settingsPath);

/* The coordinate table (CSV: 点名,測点,追加距離,実距離,X,Y,方向角) in cp932,
   or in UTF-8 with a byte-order mark when utf8WithBom is not 0. */
KORVANE_API int KORVANE_CALL korvane_route_table(const char *inputPath, const char *settingsPath,
                                                 const char *csvPath, int utf8WithBom);

/* The width stakes (幅杭, CSV: 点名,測点,追加距離,左右,幅,X,Y) at the widths
   of the route's settings, encoded as the coordinate table. */
KORVANE_API int KORVANE_CALL korvane_route_stakes(const char *inputPath, const char *settingsPath,
                                                  const char *csvPath, int utf8WithBom);

/* The points and the centre line as a SIMA file (cp932, CR LF). */
KORVANE_API int KORVANE_CALL korvane_route_sima(const char *inputPath, const char *settingsPath,
                                                const char *simaPath);

/* The route as J-LandXML (LandXML 1.2, UTF-8). */
KORVANE_API int KORVANE_CALL korvane_route_landxml(const char *inputPath, const char *settingsPath,
                                                   const char *xmlPath);

/* The calculation sheet (線形計算書): format 0 text in cp932, 1 text in
   UTF-8, 2 its sections and tables as JSON (UTF-8). */
KORVANE_API int KORVANE_CALL korvane_route_report(const char *inputPath, const char *settingsPath,
                                                  const char *outputPath, int format);

/* The route's settings and IP table as a route file (UTF-8); the route is
   read, not computed, so a route with refusals can be saved too. */
KORVANE_API int KORVANE_CALL korvane_route_save(const char *inputPath, const char *settingsPath,
                                                const char *routePath);

/* LandXML: writes the names of the file's alignments, one a line, in UTF-8
   (so that a host can offer them to choose from). */
KORVANE_API int KORVANE_CALL korvane_landxml_alignments(const char *xmlPath, const char *listPath);

/* LandXML: reads one alignment (alignmentName in UTF-8; null or empty: the
   file's only one) and writes it as a route file (UTF-8) whose IP table the
   file's PIs give back; refused when they cannot (no AlignPIs, or curves
   that are not the IP method's). */
KORVANE_API int KORVANE_CALL korvane_landxml_to_route(const char *xmlPath, const char *alignmentName,
                                                      const char *routePath);

/* The plan drawing (平面図) as R12 DXF with cp932 texts at the route's place
   in the world (x = Y × 1000, y = X × 1000, millimetres), texts sized for the
   scale 1/scale (1 to 100000), from the header template at templatePath
   (aln_hdr_.dxf). The file replaces an earlier one only once complete. */
KORVANE_API int KORVANE_CALL korvane_route_plan(const char *inputPath, const char *settingsPath,
                                                const char *dxfPath, const char *templatePath, int scale);

#ifdef __cplusplus
}
#endif

#endif
