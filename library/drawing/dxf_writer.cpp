#include "drawing/dxf_writer.h"

#include <cmath>
#include <cstring>
#include <string_view>

#include "drawing/number_format.h"
#include "params/design_record.h"
#include "params/message_box.h"

namespace korvane {

namespace {

// Appends piece at p; the caller has made sure it fits.
char *put(char *p, std::string_view piece) {
    std::memcpy(p, piece.data(), piece.size());
    return p + piece.size();
}

// Layers up to this length take the direct vertex path.
constexpr std::size_t kDirectLayerLength = 64;

void reportIfFailed(RecordWriter &record) {
    if (!record.finish()) showError(kMessageWriteFailed);
}

} // namespace

bool DxfWriter::writePolylineHead(const char *layer) {
    RecordWriter record(streams_, StreamSlot::temporary);
    record.text("0\nPOLYLINE\n5\n").hex(handles_.next()).text("\n8\n").text(layer)
        .text("\n66\n1\n10\n0.0\n20\n0.0\n30\n0.0\n");
    return record.finish();
}

bool DxfWriter::writeVertexRecord(double x, double y, const char *layer) {
    RecordWriter record(streams_, StreamSlot::temporary);
    record.text("0\nVERTEX\n5\n").hex(handles_.next()).text("\n8\n").text(layer)
        .text("\n10\n").fixed(x).text("\n20\n").fixed(y).text("\n30\n0.0\n");
    return record.finish();
}

// The vertices are nearly all of a drawing's bytes, so their fixed record
// "0\nVERTEX\n5\n%X\n8\n%s\n10\n%f\n20\n%f\n30\n0.0\n" is built directly
// in one buffer and written with one call, byte for byte what the general
// record writer gives. A vertex with a number that is not finite (which the
// record writer drops and reports) or an unusually long layer name goes
// through the record writer.
bool DxfWriter::writeVertex(double x, double y, const char *layer) {
    const std::string_view name = layer;
    if (!std::isfinite(x) || !std::isfinite(y) || name.size() > kDirectLayerLength)
        return writeVertexRecord(x, y, layer);

    // Fixed texts, handle (16), layer, two numbers.
    char record[64 + 16 + kDirectLayerLength + 2 * kFixedNumberCapacity];
    char *const last = record + sizeof record;
    char *p = put(record, "0\nVERTEX\n5\n");
    p = formatHexUpper(p, last, handles_.next());
    p = put(p, "\n8\n");
    p = put(p, name);
    p = put(p, "\n10\n");
    p = formatFixed6(p, last, x);
    p = put(p, "\n20\n");
    p = formatFixed6(p, last, y);
    p = put(p, "\n30\n0.0\n");
    return streams_.write(StreamSlot::temporary, record, static_cast<std::size_t>(p - record));
}

void DxfWriter::writeLine(double x1, double y1, double x2, double y2, const char *layer) {
    RecordWriter record(streams_, StreamSlot::output);
    record.text("0\nLINE\n8\n").text(layer).text("\n10\n").fixed(x1).text("\n20\n").fixed(y1)
        .text("\n11\n").fixed(x2).text("\n21\n").fixed(y2).text("\n");
    reportIfFailed(record);
}

void DxfWriter::writePolylineSegment(double xPrev, double yPrev, double xNew, double yNew, int count,
                                     const char *layer) {
    if (count == 1) {
        if (!writePolylineHead(layer) || !writeVertex(xPrev, yPrev, layer)) {
            showError(kMessageWriteFailed);
            return;
        }
    }
    if (!writeVertex(xNew, yNew, layer)) showError(kMessageWriteFailed);
}

int DxfWriter::writeSeqend() {
    RecordWriter record(streams_, StreamSlot::temporary);
    record.text("0\nSEQEND\n5\n").hex(handles_.next()).text("\n8\nD-BMK\n");
    return record.finish() ? 1 : 0;
}

void DxfWriter::writeArc(double cx, double cy, double radius, double startDegrees, double endDegrees,
                         const char *layer) {
    RecordWriter record(streams_, StreamSlot::output);
    record.text("0\nARC\n8\n").text(layer).text("\n10\n").fixed(cx)
        .text("\n20\n").fixed(cy).text("\n40\n").fixed(radius)
        .text("\n50\n").fixed(startDegrees).text("\n51\n").fixed(endDegrees).text("\n");
    reportIfFailed(record);
}

namespace {

RecordWriter &textRecord(RecordWriter &record, double x, double y, double height, double angleRadians,
                         const char *text) {
    return record.text("0\nTEXT\n8\n").text(kLayerText).text("\n10\n").fixed(x).text("\n20\n").fixed(y)
        .text("\n40\n").fixed(height).text("\n41\n1\n50\n")
        .fixed(angleRadians * kDegreesPerRadian).text("\n1\n").text(text).text("\n");
}

} // namespace

void DxfWriter::writeText(double x, double y, double height, double angleRadians, const char *text) {
    RecordWriter record(streams_, StreamSlot::output);
    textRecord(record, x, y, height, angleRadians, text);
    reportIfFailed(record);
}

void DxfWriter::writeTextEndingAt(double x, double y, double endX, double endY, double height,
                                  double angleRadians, const char *text) {
    RecordWriter record(streams_, StreamSlot::output);
    textRecord(record, x, y, height, angleRadians, text)
        .text("72\n2\n11\n").fixed(endX).text("\n21\n").fixed(endY).text("\n");
    reportIfFailed(record);
}

} // namespace korvane
