// Opening and closing the streams of a drawing run, the append of the
// temporary polyline file to the output, and the end of the drawing.
#include <cstdio>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "drawing/dxf_writer.h"
#include "params/message_box.h"

namespace korvane {

namespace {

// Removes the temporary file of the previous polyline before it is created
// again. Truncating a file that was just written and closed makes ext4 wait
// for its data to reach the disk first (milliseconds per polyline under
// load); a new file with the same name costs nothing of the sort. Only a
// regular file is removed: a folder, a device, a link or anything else under
// that name is left alone and opened as before, and so is a file that could
// not be opened for writing (it is still refused, as it always was).
void removeOldTempFile(const char *path) {
#ifndef _WIN32
    struct stat status;
    if (::lstat(path, &status) == 0 && S_ISREG(status.st_mode) && ::access(path, W_OK) == 0)
        ::unlink(path);
#else
    (void)path;
#endif
}

int failAppend(DrawingStreams &streams) {
    streams.closeAll();
    streams.reportWriteFailure();
    return 0;
}

} // namespace

int openOutputForAppend(DrawingStreams &streams) {
    if (!streams.open(StreamSlot::output, streams.outputPath().c_str(), "a")) {
        showError(kMessageOutputOpen);
        return 0;
    }
    return 1;
}

int createTempFile(DrawingStreams &streams) {
    const char *path = streams.tempPath().c_str();
    removeOldTempFile(path);
    if (!streams.open(StreamSlot::temporary, path, "w")) {
        showError(kMessageTempOpen);
        return 0;
    }
    return 1;
}

int closeTempFile(DrawingStreams &streams) {
    if (!streams.close(StreamSlot::temporary)) {
        streams.reportWriteFailure();
        return 0;
    }
    return 1;
}

// The temporary file is copied in blocks; the bytes are those of a
// line-by-line copy.
int appendTempBody(DrawingStreams &streams) {
    if (!streams.open(StreamSlot::input, streams.tempPath().c_str(), "r")) {
        showError(kMessageTempOpen);
        return 0;
    }
    std::FILE *in = streams.stream(StreamSlot::input);
    char *block = streams.copyBlock();
    for (;;) {
        const std::size_t count = std::fread(block, 1, kStreamBlockSize, in);
        if (count > 0 && !streams.write(StreamSlot::output, block, count)) return failAppend(streams);
        if (count < kStreamBlockSize) break;
    }
    // A read that stopped short of the end would lose the rest of the polyline.
    if (std::ferror(in)) return failAppend(streams);
    streams.close(StreamSlot::input);
    return 1;
}

int finishPolyline(DxfWriter &dxf, DrawingStreams &streams) {
    if (!dxf.writeSeqend()) {
        showError(kMessageWriteFailed);
        return 0;
    }
    if (!closeTempFile(streams)) return 0;
    return appendTempBody(streams);
}

void closeDrawing(DrawingStreams &streams) {
    const bool written = streams.write(StreamSlot::output, "0\nENDSEC\n0\nEOF\n");
    const bool closed = streams.close(StreamSlot::output);
    if (!written || !closed) streams.reportWriteFailure();
}

} // namespace korvane
