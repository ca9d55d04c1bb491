#include "drawing/output_stream.h"

#include <cmath>
#include <cstring>

#include "drawing/dxf_writer.h"
#include "drawing/number_format.h"
#include "params/message_box.h"

namespace korvane {

std::FILE *outFile = nullptr;
std::FILE *tempFile = nullptr;
std::FILE *inFile = nullptr;

namespace {

// One block buffer per slot; a slot never holds two streams at once.
alignas(64) char outputBlock[kStreamBlockSize];
alignas(64) char temporaryBlock[kStreamBlockSize];
alignas(64) char inputBlock[kStreamBlockSize];

bool writeFailedInRun = false;
bool droppedRecordShown = false;

char *slotBlock(StreamSlot slot) {
    switch (slot) {
    case StreamSlot::output: return outputBlock;
    case StreamSlot::temporary: return temporaryBlock;
    case StreamSlot::input: break;
    }
    return inputBlock;
}

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

std::FILE *&slotStream(StreamSlot slot) {
    switch (slot) {
    case StreamSlot::output: return outFile;
    case StreamSlot::temporary: return tempFile;
    case StreamSlot::input: break;
    }
    return inFile;
}

bool openSlot(StreamSlot slot, const char *path, const char *mode) {
    std::FILE *&stream = slotStream(slot);
    if (stream) closeSlot(slot);
    if (!path) return false;
    stream = std::fopen(path, mode);
    if (!stream) return false;
    std::setvbuf(stream, slotBlock(slot), _IOFBF, kStreamBlockSize);
    return true;
}

bool closeSlot(StreamSlot slot) {
    std::FILE *&stream = slotStream(slot);
    if (!stream) return true;
    const bool hadError = streamInError(stream);
    const bool closed = std::fclose(stream) == 0;
    stream = nullptr;
    return closed && !hadError;
}

bool writeBytes(std::FILE *stream, const char *data, std::size_t size) {
    if (!stream || streamInError(stream) || putBytes(stream, data, size) != size) {
        writeFailedInRun = true;
        return false;
    }
    return true;
}

bool outputWriteFailed() { return writeFailedInRun; }
void resetWriteFailures() {
    writeFailedInRun = false;
    droppedRecordShown = false;
}
void noteWriteFailure() { writeFailedInRun = true; }

void reportWriteFailure() {
    noteWriteFailure();
    showError(kMessageWriteFailed);
}

void RecordWriter::flushHeld() {
    if (used_ > 0 && ok_) ok_ = writeBytes(stream_, buffer_, used_);
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
        if (ok_) ok_ = writeBytes(stream_, piece.data(), piece.size());
        return *this;
    }
    std::memcpy(buffer_ + used_, piece.data(), piece.size());
    used_ += piece.size();
    return *this;
}

RecordWriter &RecordWriter::drop() {
    if (ok_) {
        dropped_ = true;
        noteWriteFailure();
        if (!droppedRecordShown) {
            droppedRecordShown = true;
            showError(kMessageWriteFailed);
        }
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
