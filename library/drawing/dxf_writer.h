// The only producer of DXF text: the entity handles, the entity writers, the
// header-template copy, the append of the temporary polyline file and the
// closing of the drawing, all on the streams of one drawing run.
#pragma once

#include <cstdint>

#include "drawing/output_stream.h"

namespace korvane {

// The handle of the first entity after the counter starts is 66 (hexadecimal
// for 102): the counter is incremented before each use.
inline constexpr std::uint64_t kHandleAtLoad = 101;
// The $HANDSEED of the header template: every handle written stays below it.
// The counter would start again after 66 on reaching it (after about 10^12
// handles, far beyond any session).
inline constexpr std::uint64_t kHandleSeed = 0xFFFFFFFFFF;

// The counter of entity handles (POLYLINE, VERTEX, SEQEND). The library keeps
// one from its load on and lends it to every drawing, so a later drawing in
// the same process carries higher handles than an earlier one.
class EntityHandles {
public:
    explicit EntityHandles(std::uint64_t last = kHandleAtLoad) : last_(last) {}
    std::uint64_t next() {
        if (++last_ >= kHandleSeed) last_ = kHandleAtLoad + 1;
        return last_;
    }

private:
    std::uint64_t last_;
};

// Messages of the drawing output (UTF-8 here, shown as cp932).
inline constexpr const char *kMessageTemplateOpen = "Can't open ALN_HDR_.DXF(DXFﾍｯﾀﾞｰﾌｧｲﾙ) file";
inline constexpr const char *kMessageOutputOpen = "Can't open 新DXF file";
inline constexpr const char *kMessageTempOpen = "Can't open tmpDXF file";
inline constexpr const char *kMessageWriteFailed = "fprintfｴﾗｰ";

// Layers: the work lines (every LINE of a curve's drawing), the centre line,
// the lane lines, and the texts (every TEXT).
inline constexpr const char *kLayerWork = "D-WORK";
inline constexpr const char *kLayerCentre = "D-BMK";
inline constexpr const char *kLayerLane = "D-STR";
inline constexpr const char *kLayerText = "D-BMK-HTXT";

// The entity writers: LINE, ARC and TEXT go to the output, the polylines to
// the temporary file. A writer whose write fails shows "fprintfｴﾗｰ" and
// returns; its caller goes on.
class DxfWriter {
public:
    DxfWriter(DrawingStreams &streams, EntityHandles &handles) : streams_(streams), handles_(handles) {}

    // A LINE on D-WORK, or on the layer given.
    void writeLine(double x1, double y1, double x2, double y2) { writeLine(x1, y1, x2, y2, kLayerWork); }
    void writeLine(double x1, double y1, double x2, double y2, const char *layer);
    // One segment of a polyline; count numbers the segments from 1, and the
    // first one writes the POLYLINE and its first vertex too.
    void writePolylineSegment(double xPrev, double yPrev, double xNew, double yNew, int count,
                              const char *layer);
    // Returns 0 when the SEQEND could not be written (the caller reports it).
    int writeSeqend();
    void writeArc(double cx, double cy, double radius, double startDegrees, double endDegrees,
                  const char *layer);
    // text is cp932 bytes, written unchanged.
    void writeText(double x, double y, double height, double angleRadians, const char *text);
    // The same text ending at (endX, endY): right-justified (group 72 = 2)
    // on that point, with (x, y) where it is expected to begin for readers
    // that ignore the justification.
    void writeTextEndingAt(double x, double y, double endX, double endY, double height, double angleRadians,
                           const char *text);

private:
    bool writePolylineHead(const char *layer);
    bool writeVertex(double x, double y, const char *layer);
    bool writeVertexRecord(double x, double y, const char *layer);

    DrawingStreams &streams_;
    EntityHandles &handles_;
};

// Copies the header template into a new output file with the sheet extents
// of the scale. 0 after its message.
int copyHeaderTemplate(DrawingStreams &streams, const char *templatePath, double scale);

// The output opened for appending, the temporary file created anew; each
// returns 0 after its message.
int openOutputForAppend(DrawingStreams &streams);
int createTempFile(DrawingStreams &streams);
// Closes the temporary file (after its SEQEND) before the append. Returns 0
// when the polyline did not reach the file whole (the final flush failed); it
// has then shown "fprintfｴﾗｰ" and the polyline cycle fails.
int closeTempFile(DrawingStreams &streams);
// Appends the temporary file to the output, which stays open.
int appendTempBody(DrawingStreams &streams);
// Ends the polyline in the temporary file with its SEQEND, closes the file
// and appends it to the output; 0 after a message.
int finishPolyline(DxfWriter &dxf, DrawingStreams &streams);
// Writes the end of the ENTITIES section and of the file, and closes it.
void closeDrawing(DrawingStreams &streams);

} // namespace korvane
