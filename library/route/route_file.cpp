#include "route/route_file.h"

#include <cmath>
#include <optional>
#include <set>

#include "design/key_value_text.h"
#include "files/whole_file.h"
#include "route/design_checks.h"
#include "route/number_text.h"
#include "route/text_input.h"

namespace korvane::route {

namespace {

using design_model::KeyValueEntry;
using design_model::quotedValue;

constexpr double kLargestWidth = 1000;

// A section of the file as the route reads it: its name, its header's line
// and its key = value lines.
struct Section {
    std::string name;
    int line = 0;
    std::vector<KeyValueEntry> entries;
};

// Where a value stands: its line and key, or its key alone in settings
// given without lines of their own (line 0: the options of a command line).
std::string where(const KeyValueEntry &e) {
    return (e.line > 0 ? std::to_string(e.line) + "行目: " : std::string()) + e.key;
}

bool number(const KeyValueEntry &e, double &value, std::string &problem) {
    const std::optional<double> v = decimalValue(e.value);
    if (!v) {
        problem = where(e) + " の値" + quotedText(e.value) + "は数値ではありません。";
        return false;
    }
    value = *v;
    return true;
}

bool integer(const KeyValueEntry &e, int &value, int lowest, int highest, std::string &problem) {
    double v = 0;
    if (!number(e, v, problem)) return false;
    if (v != std::floor(v) || v < lowest || v > highest) {
        problem = where(e) + " の値" + quotedText(e.value) + "は " + std::to_string(lowest) + " から " +
                  std::to_string(highest) + " の整数です。";
        return false;
    }
    value = static_cast<int>(v);
    return true;
}

bool plainText(const KeyValueEntry &e, std::string &value, std::string &problem) {
    if (hasControlCharacter(e.value)) {
        problem = where(e) + " の値に制御文字があります。";
        return false;
    }
    value = e.value;
    return true;
}

// The keys of the [route] section as they are read, before the BP station
// can be worked out from NO and plus (which needs the final pitch).
class SettingsReading {
public:
    explicit SettingsReading(RouteSettings &settings) : s_(settings) {}

    bool take(const KeyValueEntry &e, std::string &problem) {
        const bool list = e.key == "equation" || e.key == "extra";
        if (!list && !seen_.insert(e.key).second) {
            problem = where(e) + " が二度あります。";
            return false;
        }
        if (e.key == "format") return format(e, problem);
        if (e.key == "name") return plainText(e, s_.name, problem);
        if (e.key == "zone") return integer(e, s_.zone, 0, 19, problem);
        if (e.key == "pitch") return positive(e, s_.stationing.pitch, problem);
        if (e.key == "speed") return speed(e, problem);
        if (e.key == "bp.station") return number(e, s_.stationing.bpStation, problem);
        if (e.key == "bp.no") return number(e, bpNo_.emplace(), problem) && integral(e, *bpNo_, problem);
        if (e.key == "bp.plus") return number(e, bpPlus_.emplace(), problem);
        if (e.key == "equation") return equation(e, problem);
        if (e.key == "extra") return extra(e, problem);
        if (e.key == "width.left" || e.key == "width.right") return width(e, problem);
        if (e.key == "alignment") return plainText(e, s_.alignment, problem);
        problem = where(e) + ": [route] の知らないキーです。";
        return false;
    }

    // The BP station from NO and plus, once every key was read.
    bool finish(int headerLine, std::string &problem) {
        const std::string at = std::to_string(headerLine) + "行目の [route]: ";
        if (bpNo_.has_value() != bpPlus_.has_value()) {
            problem = at + "bp.no と bp.plus は二つそろえて書きます。";
            return false;
        }
        if (bpNo_ && seen_.count("bp.station") != 0) {
            problem = at + "bp.station と bp.no・bp.plus は一緒には書けません。";
            return false;
        }
        if (bpNo_) s_.stationing.bpStation = stationDistance(*bpNo_, *bpPlus_, s_.stationing.pitch);
        return true;
    }

    bool formatGiven() const { return seen_.count("format") != 0; }

private:
    bool format(const KeyValueEntry &e, std::string &problem) {
        int value = 0;
        if (!integer(e, value, 1, 1000000, problem)) return false;
        if (value <= kRouteFileFormat) return true;
        problem = where(e) + " = " + std::to_string(value) + ": 新しい版の路線ファイルです（この版が読めるのは format = " +
                  std::to_string(kRouteFileFormat) + " まで）。";
        return false;
    }

    static bool integral(const KeyValueEntry &e, double value, std::string &problem) {
        if (value == std::floor(value)) return true;
        problem = where(e) + " の値" + quotedText(e.value) + "は整数ではありません。";
        return false;
    }

    static bool positive(const KeyValueEntry &e, double &value, std::string &problem) {
        if (!number(e, value, problem)) return false;
        if (value > 0) return true;
        problem = where(e) + " の値" + quotedText(e.value) + "は正の数でなければなりません。";
        return false;
    }

    bool speed(const KeyValueEntry &e, std::string &problem) {
        if (!integer(e, s_.speed, 0, 1000, problem)) return false;
        if (s_.speed == 0 || knownDesignSpeed(s_.speed)) return true;
        problem = where(e) + " の値" + quotedText(e.value) + "は設計速度 120, 100, 80, 60, 50, 40, 30, 20 km/h のどれでもありません。";
        return false;
    }

    bool equation(const KeyValueEntry &e, std::string &problem) {
        if (!equationsGiven_) s_.stationing.equations.clear();
        equationsGiven_ = true;
        const std::size_t equals = e.value.find('=');
        const std::optional<double> back = decimalValue(std::string_view(e.value).substr(0, equals));
        const std::optional<double> ahead =
            equals == std::string::npos ? std::nullopt : decimalValue(std::string_view(e.value).substr(equals + 1));
        if (!back || !ahead) {
            problem = where(e) + " の値" + quotedText(e.value) + "は「戻り側の測点 = 進む側の測点」ではありません。";
            return false;
        }
        s_.stationing.equations.push_back(StationEquation{*back, *ahead});
        return true;
    }

    bool extra(const KeyValueEntry &e, std::string &problem) {
        if (!extrasGiven_) s_.stationing.extras.clear();
        extrasGiven_ = true;
        const std::string_view value = trimmedText(e.value);
        const std::size_t blank = value.find_first_of(" \t");
        const std::optional<double> station = decimalValue(value.substr(0, blank));
        if (!station) {
            problem = where(e) + " の値" + quotedText(e.value) + "は「追加距離 [名前]」ではありません。";
            return false;
        }
        const std::string_view name = blank == std::string_view::npos ? std::string_view() : trimmedText(value.substr(blank));
        if (hasControlCharacter(name)) {
            problem = where(e) + " の名前に制御文字があります。";
            return false;
        }
        s_.stationing.extras.push_back(ExtraStation{*station, std::string(name)});
        return true;
    }

    bool width(const KeyValueEntry &e, std::string &problem) {
        double value = 0;
        if (!number(e, value, problem)) return false;
        if (value < 0 || value > kLargestWidth) {
            problem = where(e) + " の値" + quotedText(e.value) + "は 0 から 1000 m です。";
            return false;
        }
        StakeWidths &widths = s_.widths ? *s_.widths : s_.widths.emplace();
        (e.key == "width.left" ? widths.left : widths.right) = value;
        return true;
    }

    RouteSettings &s_;
    std::set<std::string> seen_;
    bool equationsGiven_ = false, extrasGiven_ = false;
    std::optional<double> bpNo_, bpPlus_;
};

bool takeIpValue(const KeyValueEntry &e, IpInput &point, std::string &problem) {
    if (e.key == "name") return plainText(e, point.name, problem);
    double *coordinate = e.key == "x" ? &point.point.x : e.key == "y" ? &point.point.y : nullptr;
    if (coordinate) return number(e, *coordinate, problem);
    CurveInput &c = point.curve;
    std::optional<double> *value = e.key == "a1"   ? &c.a1
                                   : e.key == "r"  ? &c.r
                                   : e.key == "a2" ? &c.a2
                                   : e.key == "r2" ? &c.r2
                                   : e.key == "am" ? &c.am
                                   : e.key == "lc" ? &c.lc
                                                   : nullptr;
    if (!value) {
        problem = where(e) + ": [ip] の知らないキーです。";
        return false;
    }
    return number(e, value->emplace(), problem);
}

bool readIp(const Section &section, IpInput &point, std::string &problem) {
    point = IpInput{};
    std::set<std::string> seen;
    for (const KeyValueEntry &e : section.entries) {
        if (!seen.insert(e.key).second) {
            problem = where(e) + " が二度あります。";
            return false;
        }
        if (!takeIpValue(e, point, problem)) return false;
    }
    for (const char *needed : {"x", "y"})
        if (seen.count(needed) == 0) {
            problem = std::to_string(section.line) + "行目の [ip] に " + needed + " がありません。";
            return false;
        }
    return true;
}

// The one [route] section applied to settings.
bool readSettings(const std::vector<Section> &sections, RouteSettings &settings, std::string &problem) {
    const Section *route = nullptr;
    for (const Section &s : sections) {
        if (s.name != "route") continue;
        if (route) {
            problem = std::to_string(s.line) + "行目: [route] が二つあります。";
            return false;
        }
        route = &s;
    }
    if (!route) {
        problem = "[route] の節がありません。";
        return false;
    }
    SettingsReading reading(settings);
    for (const KeyValueEntry &e : route->entries)
        if (!reading.take(e, problem)) return false;
    if (!reading.formatGiven()) {
        problem = std::to_string(route->line) + "行目の [route] に format がありません。";
        return false;
    }
    return reading.finish(route->line, problem);
}

// The sections of the text; false at its first line that is no comment,
// section header or key = value, or at a value before the first header.
bool readSections(std::string_view text, std::vector<Section> &sections, std::string &problem) {
    if (!isUtf8(text)) {
        problem = "UTF-8 のテキストではありません。";
        return false;
    }
    sections.clear();
    for (const design_model::KeyValueSection &s : design_model::readKeyValueText(text)) {
        if (const design_model::SectionLine *fault = s.firstFault()) {
            problem = std::to_string(fault->number) + "行目: " + design_model::lineFaultText(fault->parsed.fault);
            return false;
        }
        sections.push_back(Section{s.name, s.line, s.entries()});
    }
    if (!sections.front().entries.empty()) {
        problem = std::to_string(sections.front().entries.front().line) + "行目: 節の見出しより前に値があります。";
        return false;
    }
    return true;
}

void line(std::string &text, const char *key, const std::string &value) { text += std::string(key) + " = " + value + "\n"; }

void curveLine(std::string &text, const char *key, const std::optional<double> &value) {
    if (value) line(text, key, exactText(*value));
}

} // namespace

bool isRouteFileText(std::string_view text) { return design_model::beginsWithSection(text); }

bool readRouteFile(std::string_view text, RouteSettings &settings, std::vector<IpInput> &ips, std::string &problem) {
    std::vector<Section> sections;
    if (!readSections(text, sections, problem)) return false;
    settings = RouteSettings{};
    if (!readSettings(sections, settings, problem)) return false;
    ips.clear();
    for (const Section &s : sections) {
        if (s.name != "ip") continue;
        IpInput point;
        if (!readIp(s, point, problem)) return false;
        ips.push_back(std::move(point));
    }
    return true;
}

bool applyRouteSettings(std::string_view text, RouteSettings &settings, std::string &problem) {
    std::vector<Section> sections;
    if (!readSections(text, sections, problem)) return false;
    for (const Section &s : sections)
        if (s.name == "ip") {
            problem = std::to_string(s.line) + "行目: 設定のファイルに [ip] は書けません。";
            return false;
        }
    // The settings name their keys, not the lines of a file the user never saw.
    for (Section &s : sections)
        for (KeyValueEntry &e : s.entries) e.line = 0;
    RouteSettings changed = settings;
    if (!readSettings(sections, changed, problem)) return false;
    settings = std::move(changed);
    return true;
}

std::string routeFileText(const RouteSettings &s, const std::vector<IpInput> &ips) {
    std::string text = "# Rovena 路線ファイル\n[route]\n";
    line(text, "format", std::to_string(kRouteFileFormat));
    if (!s.name.empty()) line(text, "name", quotedValue(s.name));
    if (s.zone != 0) line(text, "zone", std::to_string(s.zone));
    line(text, "bp.station", exactText(s.stationing.bpStation));
    line(text, "pitch", exactText(s.stationing.pitch));
    if (s.speed != 0) line(text, "speed", std::to_string(s.speed));
    for (const StationEquation &e : s.stationing.equations)
        line(text, "equation", exactText(e.back) + " = " + exactText(e.ahead));
    for (const ExtraStation &e : s.stationing.extras)
        line(text, "extra", quotedValue(exactText(e.station) + (e.name.empty() ? "" : " " + e.name)));
    if (s.widths) {
        line(text, "width.left", exactText(s.widths->left));
        line(text, "width.right", exactText(s.widths->right));
    }
    for (const IpInput &p : ips) {
        text += "\n[ip]\n";
        if (!p.name.empty()) line(text, "name", quotedValue(p.name));
        line(text, "x", exactText(p.point.x));
        line(text, "y", exactText(p.point.y));
        curveLine(text, "a1", p.curve.a1);
        curveLine(text, "r", p.curve.r);
        curveLine(text, "a2", p.curve.a2);
        curveLine(text, "r2", p.curve.r2);
        curveLine(text, "am", p.curve.am);
        curveLine(text, "lc", p.curve.lc);
    }
    return text;
}

bool saveRouteFile(const RouteSettings &settings, const std::vector<IpInput> &ips, const char *path) {
    return replaceWholeFile(path, routeFileText(settings, ips));
}


} // namespace korvane::route
