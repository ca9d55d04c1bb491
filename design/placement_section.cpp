#include "design/placement_section.h"

#include <charconv>
#include <cmath>

#include "design/ascii_form.h"
#include "design/utf8_text.h"

namespace design_model {

namespace {

constexpr const char *kKeys[] = {"zone", "route", "bp", "ip", "ep"};

// A typed value on one line: its line breaks become spaces.
std::string oneLine(std::string value) {
    for (char &c : value)
        if (c == '\n' || c == '\r') c = ' ';
    return value;
}

std::string pointText(const std::array<std::string, 2> &p) { return oneLine(p[0]) + " " + oneLine(p[1]); }

std::array<std::string, 2> *pointOf(PlacementTexts &texts, std::string_view key) {
    if (key == "bp") return &texts.bp;
    if (key == "ip") return &texts.ip;
    if (key == "ep") return &texts.ep;
    return nullptr;
}

// The first space-separated word of text and the other words joined by one space.
std::array<std::string, 2> splitPoint(std::string_view text) {
    std::vector<std::string_view> words;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find(' ', start), text.size());
        if (end > start) words.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    std::array<std::string, 2> point;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i == 0) point[0] = words[0];
        else point[1] += (i > 1 ? " " : "") + std::string(words[i]);
    }
    return point;
}

// One number as the C locale reads it: white space before it, a sign.
bool readNumber(std::string_view &text, double &value) {
    std::size_t pos = text.find_first_not_of(" \t\n\v\f\r");
    if (pos == std::string_view::npos) return false;
    const bool negative = text[pos] == '-';
    if (text[pos] == '+' || text[pos] == '-') ++pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) return false;
    const auto [end, error] = std::from_chars(text.data() + pos, text.data() + text.size(), value);
    if (error != std::errc()) return false; // no number, or one beyond a double's range
    if (negative) value = -value;
    text.remove_prefix(std::size_t(end - text.data()));
    return true;
}

// "X Y": two finite numbers within the limit and nothing else.
bool parsePoint(std::string_view text, std::array<double, 2> &point) {
    if (!readNumber(text, point[0]) || !readNumber(text, point[1])) return false;
    text = trimmedBlanks(text);
    return text.empty() && std::fabs(point[0]) <= kCoordinateLimit && std::fabs(point[1]) <= kCoordinateLimit;
}

bool parseZone(std::string_view text, int &zone) {
    if (text.empty() || text.size() > 2) return false;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > kZoneCount) return false;
    zone = value;
    return true;
}

std::string lineFaultProblem(const SectionLine &line) {
    const std::string number = std::to_string(line.number);
    switch (line.parsed.fault) {
    case LineFault::QuoteNotClosed:
    case LineFault::TextAfterQuote: return number + "行目の引用符が閉じていません";
    case LineFault::UnknownEscape: return number + "行目の引用符の中に使えない \\ があります";
    default: return number + "行目が「キー = 値」ではありません";
    }
}

// Takes one entry of a known key; false with problem set.
bool take(const KeyValueEntry &entry, PlacementValues &values, std::string &problem) {
    if (entry.key == "route") {
        if (hasControlCharacter(entry.value)) {
            problem = "路線名に制御文字があります";
            return false;
        }
        values.route = entry.value;
        return true;
    }
    if (entry.key == "zone") {
        if (parseZone(asciiForm(entry.value), values.zone)) return true;
        problem = "座標系の系番号は 1 から " + std::to_string(kZoneCount) + " です: " + entry.value;
        return false;
    }
    std::array<double, 2> &point = entry.key == "bp" ? values.bp : entry.key == "ip" ? values.ip : values.ep;
    if (parsePoint(asciiForm(entry.value), point)) return true;
    problem = entry.key + " の座標が読めません (X Y の二つの数値、±10000 km 以内): " + entry.value + " (" +
              std::to_string(entry.line) + "行目)";
    return false;
}

} // namespace

std::vector<std::string> placementLines(const PlacementTexts &t) {
    return {"zone = " + oneLine(t.zone), "route = " + quotedValue(oneLine(t.route)), "bp = " + pointText(t.bp),
            "ip = " + pointText(t.ip), "ep = " + pointText(t.ep)};
}

std::string placementSectionText(const PlacementTexts &texts) {
    std::string text = "[placement]\n";
    for (const std::string &line : placementLines(texts)) text += line + "\n";
    return text;
}

PlacementTexts placementTextsOf(const std::vector<std::string> &lines) {
    PlacementTexts texts;
    for (const std::string &text : lines) {
        const KeyValueLine line = parseKeyValueLine(text);
        if (line.fault != LineFault::None || line.kind != LineKind::Entry) continue;
        if (std::array<std::string, 2> *point = pointOf(texts, line.name)) *point = splitPoint(line.value);
        else if (line.name == "zone") texts.zone = line.value;
        else if (line.name == "route") texts.route = line.value;
    }
    return texts;
}

bool readPlacement(std::string_view text, PlacementValues &values, std::string &problem) {
    std::vector<KeyValueEntry> entries;
    bool found = false;
    for (const KeyValueSection &section : readKeyValueText(text)) {
        if (section.name != "placement") continue;
        found = true;
        if (const SectionLine *fault = section.firstFault()) {
            problem = lineFaultProblem(*fault);
            return false;
        }
        for (KeyValueEntry &entry : section.entries()) entries.push_back(std::move(entry));
    }
    if (!found) {
        problem = "[placement] がありません";
        return false;
    }
    PlacementValues read;
    bool seen[std::size(kKeys)] = {};
    for (const KeyValueEntry &entry : entries) {
        std::size_t k = 0;
        while (k < std::size(kKeys) && entry.key != kKeys[k]) ++k;
        if (k == std::size(kKeys)) continue; // unknown keys are for later versions
        if (seen[k]) {
            problem = entry.key + " が二度あります (" + std::to_string(entry.line) + "行目)";
            return false;
        }
        seen[k] = true;
        if (!take(entry, read, problem)) return false;
    }
    for (std::size_t k : {0, 2, 3, 4}) {
        if (!seen[k]) {
            problem = std::string("[placement] に ") + kKeys[k] + " がありません";
            return false;
        }
    }
    values = std::move(read);
    return true;
}

} // namespace design_model
