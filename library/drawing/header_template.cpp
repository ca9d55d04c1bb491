// The header of a new drawing: the template copied pair of lines by pair of
// lines, with the sheet extents written anew for the drawing's scale (or
// its extent), and for a drawing that asks for them a line-type scale and
// line types and layers of its own.
#include "drawing/header_template.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

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

// The groups after a header variable written anew: the old group codes and
// values (droppedLines of them) are read and discarded, and the new ones
// written. A failure here is not reported on the spot; it leaves the output
// in error and is caught by the next write or at the closing.
void replaceVariableGroups(DrawingStreams &streams, int droppedLines, RecordWriter &record) {
    char discarded[kTemplateLineBuffer];
    for (int i = 0; i < droppedLines; ++i)
        if (!readTemplateLine(streams, discarded)) break;
    record.finish();
}

void writePointGroups(DrawingStreams &streams, Point p) {
    RecordWriter record(streams, StreamSlot::output);
    record.text("10\n").whole(p.x).text("\n20\n").whole(p.y).text("\n");
    replaceVariableGroups(streams, 4, record);
}

void writeRealGroup(DrawingStreams &streams, double value) {
    RecordWriter record(streams, StreamSlot::output);
    record.text("40\n").fixed(value).text("\n");
    replaceVariableGroups(streams, 2, record);
}

bool startsWith(const char *line, std::string_view name) { return std::strncmp(line, name.data(), name.size()) == 0; }

// A template line without its line end and surrounding blanks.
std::string_view trimmed(const char *line) {
    std::string_view text = line;
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

void writeLinetype(RecordWriter &record, const LinetypeEntry &entry) {
    double total = 0;
    for (const double dash : entry.dashes) total += std::fabs(dash);
    record.text("0\nLTYPE\n2\n").text(entry.name).text("\n70\n0\n3\n").text(entry.description)
        .text("\n72\n65\n73\n").whole(static_cast<double>(entry.dashes.size())).text("\n40\n").fixed(total)
        .text("\n");
    for (const double dash : entry.dashes) record.text("49\n").fixed(dash).text("\n");
}

void writeLayer(RecordWriter &record, const LayerEntry &entry) {
    record.text("0\nLAYER\n2\n").text(entry.name).text("\n70\n0\n62\n").whole(entry.colour).text("\n6\n")
        .text(entry.linetype).text("\n");
}

// Follows the tables of the template pair by pair: after "0 TABLE" and the
// table's name comes its count (group 70), after which the added entries of
// that table are written.
class TableAdditions {
public:
    explicit TableAdditions(const HeaderChanges &changes) : changes_(changes) {}

    // The pair is a table's count to which entries are added.
    bool isCountOfAddedTable(std::string_view code) const {
        return head_ == Head::count && code == "70" && entries(table_) > 0;
    }

    // The count grown by the entries, then the entries. Reports no failure
    // (as the header variables).
    void writeCountAndEntries(DrawingStreams &streams, const char *countLine) {
        RecordWriter record(streams, StreamSlot::output);
        char *end = nullptr;
        const long count = std::strtol(countLine, &end, 10);
        if (end != countLine && trimmed(end).empty())
            record.whole(static_cast<double>(count + static_cast<long>(entries(table_)))).text("\n");
        else
            record.text(countLine);
        if (table_ == "LTYPE") {
            for (const LinetypeEntry &entry : changes_.linetypes) writeLinetype(record, entry);
            linetypesPlaced_ = true;
        } else {
            for (const LayerEntry &entry : changes_.layers) writeLayer(record, entry);
            layersPlaced_ = true;
        }
        record.finish();
    }

    void follow(std::string_view code, std::string_view value) {
        if (code == "0") head_ = value == "TABLE" ? Head::name : Head::none;
        else if (head_ == Head::name && code == "2") table_ = value, head_ = Head::count;
        else if (head_ == Head::count && code == "70") head_ = Head::none;
    }

    // The table that added entries belong in and the template lacks, or null.
    const char *missingTable() const {
        if (!changes_.linetypes.empty() && !linetypesPlaced_) return "LTYPE";
        if (!changes_.layers.empty() && !layersPlaced_) return "LAYER";
        return nullptr;
    }

private:
    enum class Head { none, name, count };

    std::size_t entries(const std::string &table) const {
        if (table == "LTYPE") return changes_.linetypes.size();
        if (table == "LAYER") return changes_.layers.size();
        return 0;
    }

    const HeaderChanges &changes_;
    Head head_ = Head::none;
    std::string table_;
    bool linetypesPlaced_ = false;
    bool layersPlaced_ = false;
};

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
    return copyHeaderTemplate(streams, templatePath, HeaderChanges{{841.0 * scale, 594.0 * scale}, {}, {}, {}, {}});
}

int copyHeaderTemplate(DrawingStreams &streams, const char *templatePath, const HeaderChanges &changes) {
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

    TableAdditions tables(changes);
    char code[kTemplateLineBuffer];
    char line[kTemplateLineBuffer];
    for (;;) {
        if (!readTemplateLine(streams, code)) break;
        if (!writeTemplateLine(streams, code)) return failCopy(streams);
        if (!readTemplateLine(streams, line)) break;
        if (startsWith(line, "$EXTMAX")) {
            writeTemplateLine(streams, line);
            writePointGroups(streams, changes.extMax);
        } else if (changes.extMin && startsWith(line, "$EXTMIN")) {
            writeTemplateLine(streams, line);
            writePointGroups(streams, *changes.extMin);
        } else if (changes.ltscale && startsWith(line, "$LTSCALE")) {
            writeTemplateLine(streams, line);
            writeRealGroup(streams, *changes.ltscale);
        } else if (tables.isCountOfAddedTable(trimmed(code))) {
            tables.writeCountAndEntries(streams, line);
        } else if (!writeTemplateLine(streams, line)) {
            return failCopy(streams);
        }
        tables.follow(trimmed(code), trimmed(line));
    }

    // A read that failed part-way leaves the header incomplete.
    if (!streams.close(StreamSlot::input)) {
        streams.closeAll();
        showError(kMessageTemplateOpen);
        return 0;
    }
    if (const char *table = tables.missingTable()) {
        streams.closeAll();
        showError(std::string("ヘッダーテンプレートに ") + table + " の表がありません。");
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
