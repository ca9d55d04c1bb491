// The three stream slots of a drawing run over large buffers, record writes
// that detect every failure, and the run's record of failed writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>

namespace korvane {

// Each slot's stream is buffered in blocks of this size.
inline constexpr std::size_t kStreamBlockSize = std::size_t{1} << 20;

enum class StreamSlot { output, temporary, input };

// The FILE* held by a slot (outFile, tempFile or inFile).
std::FILE *&slotStream(StreamSlot slot);

// Opens path with the fopen mode into the slot, with the slot's block buffer.
// A stream the slot still holds from an unfinished run is closed first, so
// two streams never share a buffer. Returns false when the file cannot be
// opened (the slot is then empty).
bool openSlot(StreamSlot slot, const char *path, const char *mode);

// Closes the slot's stream and empties the slot. Returns false when data was
// lost: a write to the stream failed earlier or the final flush/close failed.
// Closing an empty slot succeeds.
bool closeSlot(StreamSlot slot);

// Writes size bytes. Returns false when there is no stream, the stream is
// already in error (errors are sticky until it is closed), or the write fails.
// Every failure is noted for the run (outputWriteFailed).
bool writeBytes(std::FILE *stream, const char *data, std::size_t size);
inline bool writeBytes(std::FILE *stream, std::string_view text) {
    return writeBytes(stream, text.data(), text.size());
}

// Notes a failed write for the run (see outputWriteFailed in dxf_writer.h).
void noteWriteFailure();

// Notes a failed write for the run and shows "fprintfｴﾗｰ".
void reportWriteFailure();

// Assembles one DXF record (an entity with its groups) and writes it with as
// few stream writes as possible; texts of any length are accepted.
class RecordWriter {
public:
    explicit RecordWriter(std::FILE *stream) : stream_(stream) {}
    RecordWriter(const RecordWriter &) = delete;
    RecordWriter &operator=(const RecordWriter &) = delete;

    RecordWriter &text(std::string_view piece);
    // A number as "%f" gives it.
    RecordWriter &fixed(double value);
    // A number as "%.0f" gives it.
    RecordWriter &whole(double value);
    // A handle as "%X" gives it.
    RecordWriter &hex(std::uint64_t value);

    // Writes what is still held. Returns false when any part of the record
    // could not be written. A record holding a number that is not finite
    // (no DXF reader takes "nan" or "inf") is dropped instead: the run is
    // marked failed, "fprintfｴﾗｰ" is shown for the first such record of the
    // run only, and finish() returns true, as nothing is left to report.
    bool finish();

private:
    bool makeRoom(std::size_t size);
    // Takes the end of what a formatter wrote into the buffer (null: it did not fit).
    RecordWriter &place(char *end);
    void flushHeld();
    RecordWriter &drop();

    std::FILE *stream_;
    char buffer_[512];
    std::size_t used_ = 0;
    bool ok_ = true;
    bool dropped_ = false;
};

} // namespace korvane
