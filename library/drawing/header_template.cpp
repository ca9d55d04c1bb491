// The header of a new drawing: the template copied pair of lines by pair of
// lines, with the sheet extents written anew for the drawing's scale.
#include <cstring>

#include "drawing/dxf_writer.h"
#include "drawing/output_stream.h"
#include "params/design_record.h"
#include "params/message_box.h"

namespace korvane {

namespace {

// A template line is read through this buffer: at most 198 characters and
// the line end; a longer line comes in pieces.
constexpr int kTemplateLineBuffer = 200;

bool readTemplateLine(char (&line)[kTemplateLineBuffer]) {
    return std::fgets(line, kTemplateLineBuffer, inFile) != nullptr;
}

bool writeTemplateLine(const char *line) { return writeBytes(outFile, line, std::strlen(line)); }

int failCopy() {
    closeAllStreams();
    showError(kMessageWriteFailed);
    return 0;
}

// The sheet extents of an A1 sheet at the drawing's scale, replacing the old
// group codes and values after $EXTMAX. A failure here is not reported on the
// spot; it leaves the output in error and is caught by the next write or at
// the closing.
void writeSheetExtents() {
    char discarded[kTemplateLineBuffer];
    for (int i = 0; i < 4; ++i)
        if (!readTemplateLine(discarded)) break;
    RecordWriter record(outFile);
    record.text("10\n").whole(841.0 * design.scale).text("\n20\n").whole(594.0 * design.scale)
        .text("\n");
    record.finish();
}

// A folder opens for reading on some systems and then fails at the first
// read: it is no template, and the output must not be created from it.
bool templateReadable() {
    const int first = std::fgetc(inFile);
    if (first == EOF) return !std::ferror(inFile);
    return std::ungetc(first, inFile) != EOF;
}

} // namespace

int copyHeaderTemplate(const char *templatePath) {
    if (!openSlot(StreamSlot::input, templatePath, "r") || !templateReadable()) {
        closeSlot(StreamSlot::input);
        showError(kMessageTemplateOpen);
        return 0;
    }
    if (!openSlot(StreamSlot::output, design.outputPath, "w")) {
        showError(kMessageOutputOpen);
        closeSlot(StreamSlot::input);
        return 0;
    }

    char line[kTemplateLineBuffer];
    for (;;) {
        if (!readTemplateLine(line)) break;
        if (!writeTemplateLine(line)) return failCopy();
        if (!readTemplateLine(line)) break;
        if (std::strncmp(line, "$EXTMAX", 7) == 0) {
            writeTemplateLine(line);
            writeSheetExtents();
        } else if (!writeTemplateLine(line)) {
            return failCopy();
        }
    }

    // A read that failed part-way leaves the header incomplete.
    if (!closeSlot(StreamSlot::input)) {
        closeAllStreams();
        showError(kMessageTemplateOpen);
        return 0;
    }
    // The header is only on disk once the output is closed: a failure of the
    // last flush leaves it incomplete.
    if (!closeSlot(StreamSlot::output)) {
        reportWriteFailure();
        return 0;
    }
    return 1;
}

} // namespace korvane
