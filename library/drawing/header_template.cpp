// The header of a new drawing: the template copied pair of lines by pair of
// lines, with the sheet extents written anew for the drawing's scale.
#include <cstdio>
#include <cstring>

#include "drawing/dxf_writer.h"
#include "params/message_box.h"

namespace korvane {

namespace {

// A template line is read through this buffer: at most 198 characters and
// the line end; a longer line comes in pieces.
constexpr int kTemplateLineBuffer = 200;

bool readTemplateLine(DrawingStreams &streams, char (&line)[kTemplateLineBuffer]) {
    return std::fgets(line, kTemplateLineBuffer, streams.stream(StreamSlot::input)) != nullptr;
}

bool writeTemplateLine(DrawingStreams &streams, const char *line) {
    return streams.write(StreamSlot::output, line, std::strlen(line));
}

int failCopy(DrawingStreams &streams) {
    streams.closeAll();
    showError(kMessageWriteFailed);
    return 0;
}

// The sheet extents of an A1 sheet at the drawing's scale, replacing the old
// group codes and values after $EXTMAX. A failure here is not reported on the
// spot; it leaves the output in error and is caught by the next write or at
// the closing.
void writeSheetExtents(DrawingStreams &streams, double scale) {
    char discarded[kTemplateLineBuffer];
    for (int i = 0; i < 4; ++i)
        if (!readTemplateLine(streams, discarded)) break;
    RecordWriter record(streams, StreamSlot::output);
    record.text("10\n").whole(841.0 * scale).text("\n20\n").whole(594.0 * scale).text("\n");
    record.finish();
}

// A folder opens for reading on some systems and then fails at the first
// read: it is no template, and the output must not be created from it.
bool templateReadable(DrawingStreams &streams) {
    std::FILE *in = streams.stream(StreamSlot::input);
    const int first = std::fgetc(in);
    if (first == EOF) return !std::ferror(in);
    return std::ungetc(first, in) != EOF;
}

} // namespace

int copyHeaderTemplate(DrawingStreams &streams, const char *templatePath, double scale) {
    if (!streams.open(StreamSlot::input, templatePath, "r") || !templateReadable(streams)) {
        streams.close(StreamSlot::input);
        showError(kMessageTemplateOpen);
        return 0;
    }
    if (!streams.open(StreamSlot::output, streams.outputPath().c_str(), "w")) {
        showError(kMessageOutputOpen);
        streams.close(StreamSlot::input);
        return 0;
    }

    char line[kTemplateLineBuffer];
    for (;;) {
        if (!readTemplateLine(streams, line)) break;
        if (!writeTemplateLine(streams, line)) return failCopy(streams);
        if (!readTemplateLine(streams, line)) break;
        if (std::strncmp(line, "$EXTMAX", 7) == 0) {
            writeTemplateLine(streams, line);
            writeSheetExtents(streams, scale);
        } else if (!writeTemplateLine(streams, line)) {
            return failCopy(streams);
        }
    }

    // A read that failed part-way leaves the header incomplete.
    if (!streams.close(StreamSlot::input)) {
        streams.closeAll();
        showError(kMessageTemplateOpen);
        return 0;
    }
    // The header is only on disk once the output is closed: a failure of the
    // last flush leaves it incomplete.
    if (!streams.close(StreamSlot::output)) {
        streams.reportWriteFailure();
        return 0;
    }
    return 1;
}

} // namespace korvane
