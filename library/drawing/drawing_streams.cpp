// Opening and closing the streams of a drawing run, the append of the
// temporary polyline file to the output, and the end of the drawing.
#include <cstring>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "drawing/dxf_writer.h"
#include "drawing/output_stream.h"
#include "params/design_record.h"
#include "params/message_box.h"

namespace korvane {

namespace {

// The temporary file is copied in blocks; the bytes are those of a
// line-by-line copy.
alignas(64) char copyBlock[kStreamBlockSize];

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
    if (path && ::lstat(path, &status) == 0 && S_ISREG(status.st_mode) &&
        ::access(path, W_OK) == 0)
        ::unlink(path);
#else
    (void)path;
#endif
}

int failAppend() {
    closeAllStreams();
    reportWriteFailure();
    return 0;
}

} // namespace

int openOutputForAppend() {
    if (!openSlot(StreamSlot::output, design.outputPath, "a")) {
        showError(kMessageOutputOpen);
        return 0;
    }
    return 1;
}

int createTempFile() {
    removeOldTempFile(design.tempPath);
    if (!openSlot(StreamSlot::temporary, design.tempPath, "w")) {
        showError(kMessageTempOpen);
        return 0;
    }
    return 1;
}

int closeTempFile() {
    if (!closeSlot(StreamSlot::temporary)) {
        reportWriteFailure();
        return 0;
    }
    return 1;
}

void closeAllStreams() {
    closeSlot(StreamSlot::input);
    const bool outputWhole = closeSlot(StreamSlot::output);
    const bool tempWhole = closeSlot(StreamSlot::temporary);
    if (!outputWhole || !tempWhole) noteWriteFailure();
}

int appendTempBody() {
    if (!openSlot(StreamSlot::input, design.tempPath, "r")) {
        showError(kMessageTempOpen);
        return 0;
    }
    for (;;) {
        const std::size_t count = std::fread(copyBlock, 1, sizeof copyBlock, inFile);
        if (count > 0 && !writeBytes(outFile, copyBlock, count)) return failAppend();
        if (count < sizeof copyBlock) break;
    }
    // A read that stopped short of the end would lose the rest of the polyline.
    if (std::ferror(inFile)) return failAppend();
    closeSlot(StreamSlot::input);
    return 1;
}

void closeDrawing() {
    const bool written = writeBytes(outFile, "0\nENDSEC\n0\nEOF\n");
    const bool closed = closeSlot(StreamSlot::output);
    if (!written || !closed) reportWriteFailure();
}

} // namespace korvane
