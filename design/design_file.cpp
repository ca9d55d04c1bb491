#include "design/design_file.h"

#include "design/design_fields.h"
#include "design/key_value_text.h"
#include "design/utf8_text.h"

namespace design_model {

namespace {

constexpr int kClearedMethod = 1;
constexpr const char *kClearedLane = "0";

// The lines of a document being written.
class Writer {
public:
    void line(std::string_view text) { text_.append(text).push_back('\n'); }
    void entry(const std::string &key, std::string_view value) {
        line(value.empty() ? key + " =" : key + " = " + quotedValue(value));
    }
    std::string text() && { return std::move(text_); }

private:
    std::string text_;
};

void writeTexts(Writer &out, const DesignTexts &t) {
    for (const TextField &f : kTextFields) {
        out.entry(f.key, t.*f.text);
        if (f.field == kCurveDirectionAfter) out.entry("curve.direction", t.directionUp ? "up" : "down");
        if (f.field == kStationDirectionAfter) out.entry("station.direction", t.stationLeft ? "left" : "right");
    }
}

void writeLanes(Writer &out, const std::string &side, const LaneTexts &lanes) {
    for (int i = 0; i < kLaneRows; ++i) {
        const int method = lanes.method[i];
        if (lanes.width[i] == kClearedLane && lanes.widening[i] == kClearedLane && method == kClearedMethod)
            continue; // a row as データ  クリア leaves it is left out
        const std::string prefix = side + "." + std::to_string(i + 1) + ".";
        out.entry(prefix + "width", lanes.width[i]);
        out.entry(prefix + "method", method >= 0 && method < 3 ? kMethodNames[method] : "");
        out.entry(prefix + "widening", lanes.widening[i]);
    }
}

void writeIntervals(Writer &out, const std::string &intervals) {
    if (intervals.empty()) return;
    for (std::size_t start = 0;;) {
        const std::size_t end = intervals.find('\n', start);
        out.entry("interval", std::string_view(intervals).substr(start, end - start));
        if (end == std::string::npos) return;
        start = end + 1;
    }
}

// An integer as a number box takes it: ASCII blanks around it, a sign, digits.
bool readInteger(std::string_view text, int &value) {
    constexpr std::string_view blanks = " \t\n\v\f\r";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return false;
    text = text.substr(first, text.find_last_not_of(blanks) + 1 - first);
    const bool negative = text.front() == '-';
    if (text.front() == '+' || text.front() == '-') text.remove_prefix(1);
    if (text.empty()) return false;
    long long magnitude = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > 2147483648LL) return false;
    }
    if (magnitude > (negative ? 2147483648LL : 2147483647LL)) return false;
    value = static_cast<int>(negative ? -magnitude : magnitude);
    return true;
}

// 0, 1 or 2 for a method's word; -1 for any other text.
int methodNumber(std::string_view word) {
    for (int m = 0; m < 3; ++m)
        if (word == kMethodNames[m]) return m;
    return -1;
}

// "key.N.part" split at its dots.
std::vector<std::string_view> keyParts(std::string_view key) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t dot = key.find('.', start);
        parts.push_back(key.substr(start, dot - start));
        if (dot == std::string_view::npos) return parts;
        start = dot + 1;
    }
}

class Reader {
public:
    Reader() { document_.texts = clearedDesignTexts(); }

    void designLine(const SectionLine &line);
    void placementLine(const SectionLine &line) { document_.placement.push_back(line.text); }
    void sawDesign() { sawDesign_ = true; }
    bool finish(DesignDocument &document, std::string &error);

private:
    void entry(const std::string &key, const std::string &value);
    bool textEntry(const std::string &key, const std::string &value);
    bool laneEntry(const std::string &key, const std::string &value);
    void format(const std::string &value);
    void choice(const std::string &key, const std::string &value, const char *first, const char *second,
                bool &firstChosen);
    void fail(const std::string &what) {
        if (error_.empty()) error_ = std::to_string(lineNumber_) + " 行目: " + what;
    }

    DesignDocument document_;
    std::string intervals_;
    bool anyInterval_ = false;
    bool sawDesign_ = false;
    int lineNumber_ = 0;
    std::string error_;
    std::string tooNew_;
};

void Reader::designLine(const SectionLine &line) {
    lineNumber_ = line.number;
    if (line.parsed.fault != LineFault::None) fail(lineFaultText(line.parsed.fault));
    else if (line.parsed.kind == LineKind::Entry) entry(line.parsed.name, line.parsed.value);
}

void Reader::entry(const std::string &key, const std::string &value) {
    DesignTexts &t = document_.texts;
    if (key == "format") format(value);
    else if (key == "interval") {
        intervals_ += (anyInterval_ ? "\n" : "") + value;
        anyInterval_ = true;
    } else if (key == "curve.direction") choice(key, value, "up", "down", t.directionUp);
    else if (key == "station.direction") choice(key, value, "left", "right", t.stationLeft);
    else if (!textEntry(key, value)) laneEntry(key, value); // any other key is left for later versions
}

void Reader::choice(const std::string &key, const std::string &value, const char *first, const char *second,
                    bool &firstChosen) {
    if (value == first) firstChosen = true;
    else if (value == second) firstChosen = false;
    else fail(key + " は " + first + " か " + second + " です (「" + value + "」)。");
}

bool Reader::textEntry(const std::string &key, const std::string &value) {
    for (const TextField &f : kTextFields) {
        if (key == f.key) {
            document_.texts.*f.text = value;
            return true;
        }
    }
    return false;
}

// "right.N.width", "right.N.method", "right.N.widening" and the same for left.
bool Reader::laneEntry(const std::string &key, const std::string &value) {
    const std::vector<std::string_view> parts = keyParts(key);
    if (parts.size() != 3 || (parts[0] != "right" && parts[0] != "left")) return false;
    LaneTexts &side = parts[0] == "right" ? document_.texts.right : document_.texts.left;
    int number = 0;
    if (!readInteger(parts[1], number) || number < 1 || number > kLaneRows) {
        fail(key + ": 車線の番号は 1 から " + std::to_string(kLaneRows) + " までです。");
        return true;
    }
    const int row = number - 1;
    if (parts[2] == "width") side.width[row] = value;
    else if (parts[2] == "widening") side.widening[row] = value;
    else if (parts[2] == "method") {
        if (value.empty()) side.method[row] = -1;
        else if (methodNumber(value) >= 0) side.method[row] = methodNumber(value);
        else fail(key + " は none, linear, higher のどれかです (「" + value + "」)。");
    } else {
        return false;
    }
    return true;
}

void Reader::format(const std::string &value) {
    int version = 0;
    if (!readInteger(value, version) || version < 1) fail("format の値「" + value + "」は正の整数ではありません。");
    else if (version > kDesignFormat)
        tooNew_ = "このファイルは新しい形式 (format " + std::to_string(version) +
                  ") で書かれています。このプログラムが読めるのは format " + std::to_string(kDesignFormat) + " までです。";
}

bool Reader::finish(DesignDocument &document, std::string &error) {
    if (!tooNew_.empty()) error = tooNew_;
    else if (!error_.empty()) error = error_;
    else if (!sawDesign_) error = "設計データの節 [design] がありません。";
    if (!error.empty()) return false;
    std::vector<std::string> &placement = document_.placement;
    while (!placement.empty() && isAllSpace(placement.back())) placement.pop_back();
    document_.texts.intervals = intervals_;
    document = std::move(document_);
    return true;
}

// The number of the first line that is not UTF-8; 0 when every line is.
int firstLineNotUtf8(std::string_view bytes) {
    for (int number = 1;; ++number) {
        const std::size_t end = bytes.find('\n');
        if (!isValidUtf8(bytes.substr(0, end))) return number;
        if (end == std::string_view::npos) return 0;
        bytes.remove_prefix(end + 1);
    }
}

} // namespace

std::string designFileText(const DesignDocument &document) {
    const DesignTexts &t = document.texts;
    Writer out;
    out.line("# Rovena 設計ファイル");
    out.line("[design]");
    out.entry("format", std::to_string(kDesignFormat));
    writeTexts(out, t);
    writeLanes(out, "right", t.right);
    writeLanes(out, "left", t.left);
    writeIntervals(out, t.intervals);
    if (!document.placement.empty()) {
        out.line("");
        out.line("[placement]");
        for (const std::string &line : document.placement) out.line(line);
    }
    return std::move(out).text();
}

bool readDesignFile(std::string_view bytes, DesignDocument &document, std::string &error) {
    if (const int line = firstLineNotUtf8(bytes)) {
        error = std::to_string(line) + " 行目: UTF-8 の文字として読めません。";
        return false;
    }
    Reader reader;
    for (const KeyValueSection &section : readKeyValueText(bytes)) {
        if (section.name == "design") {
            reader.sawDesign();
            for (const SectionLine &line : section.lines) reader.designLine(line);
        } else if (section.name == "placement") {
            for (const SectionLine &line : section.lines) reader.placementLine(line);
        }
    }
    return reader.finish(document, error);
}

bool isDesignFileText(std::string_view text) { return beginsWithSection(text); }

} // namespace design_model
