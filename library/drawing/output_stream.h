// The three streams of a drawing run over large buffers, record writes that
// detect every failure, and the run's record of failed writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace korvane {

// Each stream is buffered in blocks of this size.
inline constexpr std::size_t kStreamBlockSize = std::size_t{1} << 20;

enum class StreamSlot { output, temporary, input };

class DrawingBuffers;

// The streams of one drawing run: the output DXF, the temporary polyline file
// and the file being copied (the header template, then the temporary file),
// each buffered in a block of the lent buffers, and whether a write of the
// run failed. Every stream still open is closed when the object ends.
class DrawingStreams {
public:
    DrawingStreams(std::string outputPath, std::string tempPath, DrawingBuffers &buffers);
    ~DrawingStreams();
    DrawingStreams(const DrawingStreams &) = delete;
    DrawingStreams &operator=(const DrawingStreams &) = delete;

    const std::string &outputPath() const { return outputPath_; }
    const std::string &tempPath() const { return tempPath_; }

    // The slot's stream, null when it is closed.
    std::FILE *stream(StreamSlot slot) const { return streams_[index(slot)]; }

    // Opens path with the fopen mode into the slot, with the slot's block
    // buffer; a stream the slot still holds is closed first. False when the
    // file cannot be opened (the slot is then empty).
    bool open(StreamSlot slot, const char *path, const char *mode);

    // Closes the slot's stream. False when data was lost: a write to the
    // stream failed earlier or the final flush failed. Closing an empty slot
    // succeeds.
    bool close(StreamSlot slot);

    // Closes every stream (after a failure); lost data counts as a failed write.
    void closeAll();

    // Writes size bytes. False when the slot is closed, its stream is already
    // in error (errors are sticky until it is closed), or the write fails;
    // every failure is noted for the run.
    bool write(StreamSlot slot, const char *data, std::size_t size);
    bool write(StreamSlot slot, std::string_view text) { return write(slot, text.data(), text.size()); }

    // A write of the run failed: the drawing misses entities and must not be
    // reported as written.
    bool writeFailed() const { return writeFailed_; }
    void noteWriteFailure() { writeFailed_ = true; }
    // Notes a failed write and shows "fprintfｴﾗｰ".
    void reportWriteFailure();
    // True for the first record of the run that is dropped for a number that
    // is not finite: only that one is shown.
    bool firstDroppedRecord();

    // A block of kStreamBlockSize bytes for copying a file into the output.
    char *copyBlock();

private:
    static constexpr std::size_t kSlots = 3;
    static std::size_t index(StreamSlot slot) { return static_cast<std::size_t>(slot); }

    std::string outputPath_;
    std::string tempPath_;
    DrawingBuffers &buffers_;
    std::FILE *streams_[kSlots] = {};
    bool writeFailed_ = false;
    bool droppedRecordShown_ = false;
};

// Assembles one DXF record (an entity with its groups) and writes it to a
// stream of the run with as few writes as possible; texts of any length are
// accepted.
class RecordWriter {
public:
    RecordWriter(DrawingStreams &streams, StreamSlot slot) : streams_(streams), slot_(slot) {}
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

    DrawingStreams &streams_;
    StreamSlot slot_;
    char buffer_[512];
    std::size_t used_ = 0;
    bool ok_ = true;
    bool dropped_ = false;
};

} // namespace korvane
