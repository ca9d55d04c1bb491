#include "drawing/dxf_writer.h"

#include <string_view>

#include "drawing/output_stream.h"
#include "params/design_record.h"
#include "params/message_box.h"

namespace korvane {

std::uint64_t entityHandle = kHandleAtLoad;

namespace {

std::uint64_t nextHandle() {
    if (++entityHandle >= kHandleSeed) entityHandle = kHandleAtLoad + 1;
    return entityHandle;
}

std::string_view layerName(const char *layer) { return layer ? layer : ""; }

void reportIfFailed(RecordWriter &record) {
    if (!record.finish()) showError(kMessageWriteFailed);
}

bool writePolylineHead(const char *layer) {
    RecordWriter record(tempFile);
    record.text("0\nPOLYLINE\n5\n").hex(nextHandle()).text("\n8\n").text(layerName(layer))
        .text("\n66\n1\n10\n0.0\n20\n0.0\n30\n0.0\n");
    return record.finish();
}

bool writeVertex(double x, double y, const char *layer) {
    RecordWriter record(tempFile);
    record.text("0\nVERTEX\n5\n").hex(nextHandle()).text("\n8\n").text(layerName(layer))
        .text("\n10\n").fixed(x).text("\n20\n").fixed(y).text("\n30\n0.0\n");
    return record.finish();
}

} // namespace

void writeLine(double x1, double y1, double x2, double y2) {
    RecordWriter record(outFile);
    record.text("0\nLINE\n8\nD-WORK\n10\n").fixed(x1).text("\n20\n").fixed(y1)
        .text("\n11\n").fixed(x2).text("\n21\n").fixed(y2).text("\n");
    reportIfFailed(record);
}

void writePolylineSegment(double xPrev, double yPrev, double xNew, double yNew, int count,
                          const char *layer) {
    if (count == 1) {
        if (!writePolylineHead(layer) || !writeVertex(xPrev, yPrev, layer)) {
            showError(kMessageWriteFailed);
            return;
        }
    }
    if (!writeVertex(xNew, yNew, layer)) showError(kMessageWriteFailed);
}

int writeSeqend() {
    RecordWriter record(tempFile);
    record.text("0\nSEQEND\n5\n").hex(nextHandle()).text("\n8\nD-BMK\n");
    return record.finish() ? 1 : 0;
}

void writeArc(double cx, double cy, double radius, double startDegrees, double endDegrees,
              const char *layer) {
    RecordWriter record(outFile);
    record.text("0\nARC\n8\n").text(layerName(layer)).text("\n10\n").fixed(cx)
        .text("\n20\n").fixed(cy).text("\n40\n").fixed(radius)
        .text("\n50\n").fixed(startDegrees).text("\n51\n").fixed(endDegrees).text("\n");
    reportIfFailed(record);
}

void writeText(double x, double y, double height, double angleRadians, const char *text) {
    RecordWriter record(outFile);
    record.text("0\nTEXT\n8\nD-BMK-HTXT\n10\n").fixed(x).text("\n20\n").fixed(y)
        .text("\n40\n").fixed(height).text("\n41\n1\n50\n")
        .fixed(angleRadians * kDegreesPerRadian).text("\n1\n").text(layerName(text))
        .text("\n");
    reportIfFailed(record);
}

} // namespace korvane
