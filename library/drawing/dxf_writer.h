// The only producer of DXF text: the three stream slots of a drawing run, the
// entity handles, the entity writers, the header-template copy, the append of
// the temporary polyline file and the closing of the drawing.
#pragma once

#include <cstdio>

namespace korvane {

// Stream slots of one drawing run.
extern std::FILE *outFile;  // the output DXF
extern std::FILE *tempFile; // the temporary polyline file
extern std::FILE *inFile;   // the file being copied (template or temporary file)

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
// Closes tempFile (after its SEQEND) before the append.
void closeTempFile();
// Closes every open stream (after a failure).
void closeAllStreams();

} // namespace korvane
