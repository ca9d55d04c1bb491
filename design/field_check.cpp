#include "design/field_check.h"

#include <cmath>
#include <vector>

#include "design/ascii_form.h"
#include "design/leading_number.h"
#include "design/number_text.h"
#include "design/parameter_lines.h"
#include "design/utf8_text.h"

namespace design_model {

namespace {

// The longest part of a typed text that a message quotes, in UTF-16 units.
constexpr std::size_t kQuotedLength = 20;

using Problem = std::optional<FieldProblem>;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t digits(std::string_view t, std::size_t &pos) {
    const std::size_t start = pos;
    while (pos < t.size() && isDigit(t[pos])) ++pos;
    return pos - start;
}

// A sign, digits with at most one "." and an optional exponent; nothing else
// but one line end at the very end.
bool isPlainNumberText(std::string_view t) {
    if (!t.empty() && t.back() == '\n') t.remove_suffix(1);
    std::size_t pos = 0;
    if (pos < t.size() && (t[pos] == '+' || t[pos] == '-')) ++pos;
    const std::size_t whole = digits(t, pos);
    std::size_t fraction = 0;
    if (pos < t.size() && t[pos] == '.') fraction = digits(t, ++pos);
    if (whole + fraction == 0) return false;
    if (pos < t.size() && (t[pos] == 'e' || t[pos] == 'E')) {
        ++pos;
        if (pos < t.size() && (t[pos] == '+' || t[pos] == '-')) ++pos;
        if (digits(t, pos) == 0) return false;
    }
    return pos == t.size();
}

std::optional<double> plainNumber(std::string_view ascii) {
    const std::string_view t = trimmedBlanks(ascii);
    if (!isPlainNumberText(t)) return std::nullopt;
    const double value = leadingNumber(t);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

std::string quoted(std::string_view typed) {
    bool cut = false;
    const std::string_view shown = leadingUnits(typed, kQuotedLength, cut);
    return cut ? std::string(shown) + "…" : std::string(typed);
}

FieldProblem notANumber(Field field, int index, std::string_view typed) {
    return {field, index, fieldLabel(field, index) + "「" + quoted(typed) + "」は数値ではありません。"};
}

// "0 以上 60 未満", "0 より大きく 1000 未満"; upperText names the upper end
// when it is not a plain number.
std::string rangeText(const std::optional<Bound> &lower, const std::optional<Bound> &upper,
                      const std::string &upperText) {
    std::vector<std::string> parts;
    if (lower) parts.push_back(numberText(lower->value) + (lower->inclusive ? " 以上" : " より大きく"));
    if (upper) parts.push_back((upperText.empty() ? numberText(upper->value) : upperText) +
                               (upper->inclusive ? " 以下" : " 未満"));
    std::string text;
    for (const std::string &part : parts) text += (text.empty() ? "" : " ") + part;
    return text;
}

bool within(double v, const std::optional<Bound> &lower, const std::optional<Bound> &upper) {
    if (lower && (lower->inclusive ? v < lower->value : v <= lower->value)) return false;
    if (upper && (upper->inclusive ? v > upper->value : v >= upper->value)) return false;
    return true;
}

FieldProblem outOfRange(Field field, int index, std::string_view typed, const std::string &range) {
    return {field, index, fieldLabel(field, index) + "「" + quoted(typed) + "」は " + range + "の数値にしてください。"};
}

// Reads one box: a number, or nothing when the box is empty and may be.
// Sets problem when the text cannot be used.
std::optional<double> readBox(Field field, int index, const std::string &typed, bool required, Problem &problem) {
    const std::string ascii = asciiForm(typed);
    if (trimmedBlanks(ascii).empty()) {
        if (required) problem = FieldProblem{field, index, fieldLabel(field, index) + "が入力されていません。"};
        return std::nullopt;
    }
    const std::optional<double> value = plainNumber(ascii);
    if (!value) problem = notANumber(field, index, typed);
    return value;
}

// Two tangents meet at less than a half turn; the three boxes together are
// judged as the library will read them.
Problem checkAngleTotal(const DesignTexts &d) {
    if (writtenAngleDegrees(d) < kHalfTurnDegrees) return std::nullopt;
    const auto written = [](const std::string &typed) { return numberText(std::fabs(leadingNumber(asciiForm(typed)))); };
    const std::string angle = written(d.iaDegrees) + "度 " + written(d.iaMinutes) + "分 " + written(d.iaSeconds) + "秒";
    return FieldProblem{Field::IaDegrees, 0,
                        "交角ＩＡ「" + angle + "」は " + numberText(kHalfTurnDegrees) + " 度未満にしてください。"};
}

// The single boxes in table order; KA plus lies below a positive station
// pitch (a pitch of 0 or less is the library's to report).
Problem checkTextFields(const DesignTexts &d) {
    Problem p;
    std::optional<double> pitch;
    for (const TextField &f : kTextFields) {
        const std::string &typed = d.*f.text;
        const std::optional<double> value = readBox(f.field, 0, typed, f.required, p);
        if (p) return p;
        if (f.field == Field::StationPitch) pitch = value;
        std::optional<Bound> upper = f.upper;
        std::string upperText;
        if (f.field == Field::KaStationPlus && pitch && *pitch > 0) {
            upper = Bound{*pitch, false};
            upperText = "測点ピッチ " + std::string(trimmedBlanks(asciiForm(d.stationPitch)));
        }
        if (value && f.whole && *value != std::trunc(*value))
            return FieldProblem{f.field, 0, fieldLabel(f.field, 0) + "「" + quoted(typed) + "」は整数にしてください。"};
        if (value && !within(*value, f.lower, upper))
            return outOfRange(f.field, 0, typed, rangeText(f.lower, upper, upperText));
        if (f.field == Field::IaSeconds && (p = checkAngleTotal(d))) return p;
    }
    return p;
}

Problem checkLanes(const LaneTexts &side, Field widthField, Field wideningField) {
    Problem p;
    for (int i = 0; i < kLaneRows && !p; ++i) {
        const std::optional<double> width = readBox(widthField, i, side.width[i], false, p);
        if (width && !within(*width, kLaneWidthLower, std::nullopt))
            p = outOfRange(widthField, i, side.width[i], rangeText(kLaneWidthLower, std::nullopt, {}));
    }
    for (int i = 0; i < kLaneRows && !p; ++i) readBox(wideningField, i, side.widening[i], false, p);
    return p;
}

// A line of 法線設置位置 as a value: blanks around it dropped; empty for a line
// without one.
std::string intervalText(const std::string &line) { return std::string(trimmedBlanks(asciiForm(line))); }

std::vector<std::string> linesOf(const std::string &text) {
    std::vector<std::string> lines;
    const std::string all = replacedAll(text, "\r\n", "\n");
    for (std::size_t start = 0;;) {
        const std::size_t end = all.find('\n', start);
        lines.push_back(all.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return lines;
        start = end + 1;
    }
}

Problem checkIntervals(const std::string &text) {
    const std::vector<std::string> lines = linesOf(text);
    int values = 0;
    for (int line = 0; line < static_cast<int>(lines.size()); ++line) {
        const std::string value = intervalText(lines[line]);
        if (value.empty()) continue;
        // The file drops every blank of a line: "5 5" would become 55.
        if (value.find_first_of(" \t") != std::string::npos)
            return FieldProblem{Field::Intervals, line,
                                fieldLabel(Field::Intervals, line) + "「" + quoted(lines[line]) +
                                    "」は空白で区切られています。1 行に 1 つの数値を入力してください。"};
        const std::optional<double> v = plainNumber(value);
        if (!v) return notANumber(Field::Intervals, line, lines[line]);
        if (!within(*v, kIntervalLower, kIntervalUpper))
            return outOfRange(Field::Intervals, line, lines[line], rangeText(kIntervalLower, kIntervalUpper, {}));
        if (++values > kMaxIntervals)
            return FieldProblem{Field::Intervals, line,
                                "法線設置位置は " + std::to_string(kMaxIntervals) + " 個までです（" +
                                    std::to_string(line + 1) + " 行目が " + std::to_string(values) + " 個目です）。"};
    }
    return std::nullopt;
}

void asciiLanes(LaneTexts &side) {
    for (int i = 0; i < kLaneRows; ++i) {
        side.width[i] = asciiForm(side.width[i]);
        side.widening[i] = asciiForm(side.widening[i]);
    }
}

} // namespace

std::optional<FieldProblem> findFieldProblem(const DesignTexts &d) {
    Problem p = checkTextFields(d);
    if (!p) p = checkLanes(d.right, Field::RightWidth, Field::RightWidening);
    if (!p) p = checkLanes(d.left, Field::LeftWidth, Field::LeftWidening);
    if (!p) p = checkIntervals(d.intervals);
    return p;
}

std::vector<IntervalValue> intervalValues(const std::string &text) {
    std::vector<IntervalValue> values;
    const std::vector<std::string> lines = linesOf(text);
    for (int line = 0; line < static_cast<int>(lines.size()); ++line)
        if (const std::optional<double> v = plainNumber(intervalText(lines[line]))) values.push_back({line, *v});
    return values;
}

DesignTexts asciiTexts(const DesignTexts &d) {
    DesignTexts out = d;
    for (const TextField &f : kTextFields) out.*f.text = asciiForm(d.*f.text);
    out.intervals = asciiForm(d.intervals);
    asciiLanes(out.right);
    asciiLanes(out.left);
    return out;
}

} // namespace design_model
