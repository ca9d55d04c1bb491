#include "drawing/output_stream.h"

#include <cmath>
#include <cstring>
#include <utility>

#include "drawing/drawing_buffers.h"
#include "drawing/dxf_writer.h"
#include "drawing/number_format.h"
#include "params/message_box.h"

namespace korvane {

namespace {

inline bool streamInError(std::FILE *stream) {
#ifdef __GLIBC__
    return ferror_unlocked(stream) != 0;
#else
    return std::ferror(stream) != 0;
#endif
}

inline std::size_t putBytes(std::FILE *stream, const char *data, std::size_t size) {
#ifdef __GLIBC__
    return fwrite_unlocked(data, 1, size, stream);
#else
    return std::fwrite(data, 1, size, stream);
#endif
}

} // namespace

DrawingStreams::DrawingStreams(std::string outputPath, std::string tempPath, DrawingBuffers &buffers)
    : outputPath_(std::move(outputPath)), tempPath_(std::move(tempPath)), buffers_(buffers) {}

DrawingStreams::~DrawingStreams() {
    for (std::FILE *stream : streams_)
        if (stream) std::fclose(stream);
}

char *DrawingStreams::copyBlock() { return buffers_.copyBlock(); }

bool DrawingStreams::open(StreamSlot slot, const char *path, const char *mode) {
    close(slot);
    std::FILE *stream = std::fopen(path, mode);
    if (!stream) return false;
    std::setvbuf(stream, buffers_.streamBlock(slot), _IOFBF, kStreamBlockSize);
    streams_[index(slot)] = stream;
    return true;
}

bool DrawingStreams::close(StreamSlot slot) {
    std::FILE *&stream = streams_[index(slot)];
    if (!stream) return true;
    const bool hadError = streamInError(stream);
    const bool closed = std::fclose(stream) == 0;
    stream = nullptr;
    return closed && !hadError;
}

void DrawingStreams::closeAll() {
    close(StreamSlot::input);
    const bool outputWhole = close(StreamSlot::output);
    const bool tempWhole = close(StreamSlot::temporary);
    if (!outputWhole || !tempWhole) noteWriteFailure();
}

bool DrawingStreams::write(StreamSlot slot, const char *data, std::size_t size) {
    std::FILE *stream = streams_[index(slot)];
    if (!stream || streamInError(stream) || putBytes(stream, data, size) != size) {
        writeFailed_ = true;
        return false;
    }
    return true;
}

void DrawingStreams::reportWriteFailure() {
    noteWriteFailure();
    showError(kMessageWriteFailed);
}

bool DrawingStreams::firstDroppedRecord() {
    if (droppedRecordShown_) return false;
    droppedRecordShown_ = true;
    return true;
}

void RecordWriter::flushHeld() {
    if (used_ > 0 && ok_) ok_ = streams_.write(slot_, buffer_, used_);
    used_ = 0;
}

bool RecordWriter::makeRoom(std::size_t size) {
    if (!ok_) return false;
    if (sizeof buffer_ - used_ < size) flushHeld();
    return ok_ && sizeof buffer_ - used_ >= size;
}

RecordWriter &RecordWriter::text(std::string_view piece) {
    if (!makeRoom(piece.size())) {
        // Longer than the whole buffer: what is held went out first, the
        // piece follows directly.
        if (ok_) ok_ = streams_.write(slot_, piece.data(), piece.size());
        return *this;
    }
    std::memcpy(buffer_ + used_, piece.data(), piece.size());
    used_ += piece.size();
    return *this;
}

RecordWriter &RecordWriter::drop() {
    if (ok_) {
        dropped_ = true;
        streams_.noteWriteFailure();
        if (streams_.firstDroppedRecord()) showError(kMessageWriteFailed);
    }
    ok_ = false;
    return *this;
}

RecordWriter &RecordWriter::place(char *end) {
    if (end) used_ = static_cast<std::size_t>(end - buffer_);
    else ok_ = false;
    return *this;
}

RecordWriter &RecordWriter::fixed(double value) {
    if (!std::isfinite(value)) return drop();
    if (!makeRoom(kFixedNumberCapacity)) return *this;
    return place(formatFixed6(buffer_ + used_, buffer_ + sizeof buffer_, value));
}

RecordWriter &RecordWriter::whole(double value) {
    if (!std::isfinite(value)) return drop();
    if (!makeRoom(kFixedNumberCapacity)) return *this;
    return place(formatWhole(buffer_ + used_, buffer_ + sizeof buffer_, value));
}

RecordWriter &RecordWriter::hex(std::uint64_t value) {
    if (!makeRoom(16)) return *this;
    return place(formatHexUpper(buffer_ + used_, buffer_ + sizeof buffer_, value));
}

bool RecordWriter::finish() {
    flushHeld();
    return ok_ || dropped_;
}

} // namespace korvane
