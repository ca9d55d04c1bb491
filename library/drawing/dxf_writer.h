// The only producer of DXF text: the three stream slots of a drawing run, the
// entity handles, the entity writers, the header-template copy, the append of
// the temporary polyline file and the closing of the drawing.
#pragma once

#include <cstdint>
#include <cstdio>

namespace korvane {

// Stream slots of one drawing run.
extern std::FILE *outFile;  // the output DXF
extern std::FILE *tempFile; // the temporary polyline file
extern std::FILE *inFile;   // the file being copied (template or temporary file)

// The one counter of entity handles (POLYLINE, VERTEX, SEQEND). Set when the
// library is loaded and never reset while it stays loaded; incremented before
// each use, so the first handle written is 66 (hexadecimal for 102).
extern std::uint64_t entityHandle;
inline constexpr std::uint64_t kHandleAtLoad = 101;
// The $HANDSEED of the header template: every handle written stays below it.
// The counter would start again after 66 on reaching it (after about 10^12
// handles, far beyond any session).
inline constexpr std::uint64_t kHandleSeed = 0xFFFFFFFFFF;

// Messages of the drawing output (UTF-8 here, shown as cp932).
inline constexpr const char *kMessageTemplateOpen = "Can't open ALN_HDR_.DXF(DXFﾍｯﾀﾞｰﾌｧｲﾙ) file";
inline constexpr const char *kMessageOutputOpen = "Can't open 新DXF file";
inline constexpr const char *kMessageTempOpen = "Can't open tmpDXF file";
inline constexpr const char *kMessageWriteFailed = "fprintfｴﾗｰ";

// Layers.
inline constexpr const char *kLayerWork = "D-WORK";
inline constexpr const char *kLayerCentre = "D-BMK";
inline constexpr const char *kLayerLane = "D-STR";
inline constexpr const char *kLayerText = "D-BMK-HTXT";

void writeLine(double x1, double y1, double x2, double y2);
void writePolylineSegment(double xPrev, double yPrev, double xNew, double yNew, int count,
                          const char *layer);
// Returns 0 when the SEQEND could not be written (the caller reports it).
int writeSeqend();
void writeArc(double cx, double cy, double radius, double startDegrees, double endDegrees,
              const char *layer);
// text is cp932 bytes, written unchanged.
void writeText(double x, double y, double height, double angleRadians, const char *text);

int copyHeaderTemplate(const char *templatePath);
int appendTempBody();
void closeDrawing();

// Opens the slots for a run: outFile for appending, tempFile created anew.
// Each returns 0 after its message.
int openOutputForAppend();
int createTempFile();
// Closes tempFile (after its SEQEND) before the append. Returns 0 when the
// polyline did not reach the file whole (the final flush failed); it has then
// shown "fprintfｴﾗｰ" and the polyline cycle fails.
int closeTempFile();
// Closes every open stream (after a failure).
void closeAllStreams();

// Whether a write to the output or the temporary file failed since the last
// reset (an entity writer, the header copy, the append, the closing): the
// drawing then misses entities and must not be reported as written.
bool outputWriteFailed();
// Called at the start of a drawing run.
void resetWriteFailures();

} // namespace korvane
