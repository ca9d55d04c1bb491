#include "route_options.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>

#include "design/key_value_text.h"
#include "design/text_encoding.h"
#include "design/utf8_text.h"
#include "route/decimal_syntax.h"
#include "route/text_input.h"

namespace korvane_route {

const char *const kUsage =
    "Usage: korvane-route IPS.csv|ROUTE.rvr|FILE.xml [settings] [outputs]\n"
    "Computes a road's horizontal alignment (路線, the route) from its IP table (IP 表:\n"
    "BP, IP1 ... IPn, EP with the curve at each IP) with the library %s, and writes\n"
    "its tables. The input is an IP table as CSV (UTF-8 or cp932), a route file, or a\n"
    "LandXML file whose alignment is read element by element (Line, Curve, Spiral).\n"
    "  --alignment NAME       the alignment of a LandXML file that has more than one\n"
    "Settings (they replace those of a route file):\n"
    "  --zone N               coordinate-system zone 1..19 (座標系; 0: none)\n"
    "  --name NAME            route name (路線名)\n"
    "  --start DIST           station of BP as running distance (BP の追加距離)\n"
    "  --pitch P              station pitch in metres (測点ピッチ, 20 unless given)\n"
    "  --equation BACK=AHEAD  a station equation (ブレーキ); repeat for more, in order\n"
    "  --speed V              design speed in km/h for the design checks (設計速度)\n"
    "  --widths LEFT RIGHT    widths of the width stakes (幅杭) left and right, metres\n"
    "Outputs (each written only when every output could be made):\n"
    "  --table F.csv          coordinate table (座標表), cp932\n"
    "  --stakes F.csv         width stakes (幅杭), cp932\n"
    "  --sima F.sim           SIMA file of the points and the centre line, cp932\n"
    "  --landxml F.xml        J-LandXML of the alignment\n"
    "  --report F.txt         calculation sheet (線形計算書), cp932\n"
    "  --save F.rvr           the route file with the settings above\n"
    "  --plan F.dxf           plan drawing (平面図) as DXF, cp932\n"
    "  --scale N              the plan's scale 1/N (1000 unless given)\n"
    "  --utf8                 the tables and the sheet in UTF-8 (the tables with a BOM)\n"
    "Without outputs the route is only computed and checked.\n"
    "Messages go to the standard error in UTF-8.\n"
    "Exit status: 0 when every output was written (or the route stands), 1 otherwise.\n";

namespace {

void say(const std::string &text) { std::fprintf(stderr, "korvane-route: %s\n", text.c_str()); }

std::string trimmed(const std::string &text) { return std::string(design_model::trimmedBlanks(text)); }

// The same file, however the path is written.
std::string samePathKey(const std::string &path) {
    std::error_code ignored;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, ignored);
    return canonical.empty() ? path : canonical.string();
}

bool decimal(const char *option, const std::string &text) {
    if (korvane::route::isDecimalSyntax(text)) return true;
    say(std::string(option) + " の値" + korvane::route::quotedText(text) + "は数値ではありません（小数で書きます）。");
    return false;
}

class Parser {
public:
    Parser(int argc, char **argv, RouteOptions &o) : argc_(argc), argv_(argv), o_(o) {}

    bool run() {
        for (i_ = 1; i_ < argc_; ++i_) {
            const std::string arg = argv_[i_];
            if (arg == "--help" || arg == "-h") {
                o_.help = true;
                return true;
            }
            if (!take(arg)) return false;
        }
        return finish();
    }

private:
    bool take(const std::string &arg) {
        if (arg.rfind("--", 0) != 0) return positional(arg);
        if (arg == "--equation") return equation();
        if (!once(arg)) return false;
        if (arg == "--utf8") {
            o_.utf8 = true;
            return true;
        }
        if (arg == "--widths") return value(arg, o_.widthLeft) && value(arg, o_.widthRight) &&
                                      decimal("--widths", o_.widthLeft) && decimal("--widths", o_.widthRight);
        if (arg == "--scale") return scale();
        for (Output *out : {&o_.table, &o_.stakes, &o_.sima, &o_.landxml, &o_.report, &o_.save, &o_.plan})
            if (arg == out->option) return value(arg, out->path) && !out->path.empty();
        if (arg == "--name") return text(arg, o_.name);
        if (arg == "--alignment") return text(arg, o_.alignment);
        std::string *number = arg == "--zone"    ? &o_.zone
                              : arg == "--start" ? &o_.start
                              : arg == "--pitch" ? &o_.pitch
                              : arg == "--speed" ? &o_.speed
                                                 : nullptr;
        if (number) return value(arg, *number) && decimal(arg.c_str(), *number);
        say("知らないオプションです: " + arg);
        return false;
    }

    // A text as the system's code page gives it, in UTF-8.
    bool text(const std::string &option, std::string &target) {
        if (!value(option, target)) return false;
        target = design_model::systemTextToUtf8(target);
        return true;
    }

    bool once(const std::string &arg) {
        if (seen_.insert(arg).second) return true;
        say(arg + " が二度あります（一度だけ指定できます）。");
        return false;
    }

    bool value(const std::string &option, std::string &target) {
        if (i_ + 1 >= argc_) {
            say(option + " に値がありません。");
            return false;
        }
        target = argv_[++i_];
        for (const char c : target)
            if (static_cast<unsigned char>(c) < 0x20) {
                say(option + " の値に制御文字（改行など）があります。");
                return false;
            }
        return true;
    }

    // A whole number of at most six digits; its range is the library's to check.
    bool scale() {
        std::string text;
        if (!value("--scale", text)) return false;
        if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos) {
            say("--scale の値" + korvane::route::quotedText(text) + "は縮尺 1/N の N（整数、例 1000）ではありません。");
            return false;
        }
        o_.scale = std::stoi(text);
        scaleGiven_ = true;
        return true;
    }

    bool equation() {
        std::string text;
        if (!value("--equation", text)) return false;
        const std::size_t equals = text.find('=');
        const std::string back = trimmed(text.substr(0, equals));
        const std::string ahead = equals == std::string::npos ? std::string() : trimmed(text.substr(equals + 1));
        if (equals == std::string::npos || !korvane::route::isDecimalSyntax(back) ||
            !korvane::route::isDecimalSyntax(ahead)) {
            say("--equation の値" + korvane::route::quotedText(text) + "は BACK=AHEAD の二つの数値（例 1234.567=1240）ではありません。");
            return false;
        }
        o_.equations.push_back(back + " = " + ahead);
        return true;
    }

    bool positional(const std::string &arg) {
        if (o_.input.empty()) {
            o_.input = arg;
            return true;
        }
        say("入力ファイルは一つです: " + arg);
        return false;
    }

    bool finish() {
        if (o_.input.empty()) {
            say("入力ファイル（IP 表の CSV、路線ファイルか LandXML）がありません。");
            return false;
        }
        if (scaleGiven_ && o_.plan.path.empty()) {
            say("--scale は --plan とともに使います。");
            return false;
        }
        if (o_.utf8 && o_.table.path.empty() && o_.stakes.path.empty() && o_.report.path.empty()) {
            say("--utf8 は --table, --stakes, --report とともに使います。");
            return false;
        }
        std::set<std::string> paths{samePathKey(o_.input)};
        for (const Output *out : o_.outputs())
            if (!paths.insert(samePathKey(out->path)).second) {
                say(std::string(out->option) + " の" + korvane::route::quotedText(out->path) + "は入力か別の出力と同じファイルです。");
                return false;
            }
        return true;
    }

    int argc_;
    char **argv_;
    RouteOptions &o_;
    int i_ = 1;
    std::set<std::string> seen_;
    bool scaleGiven_ = false;
};

void line(std::string &text, const char *key, const std::string &value) {
    if (!value.empty()) text += std::string(key) + " = " + value + "\n";
}

} // namespace

bool RouteOptions::settingsGiven() const {
    return !zone.empty() || !name.empty() || !start.empty() || !pitch.empty() || !speed.empty() ||
           !widthLeft.empty() || !equations.empty() || !alignment.empty();
}

std::vector<const Output *> RouteOptions::outputs() const {
    std::vector<const Output *> out;
    for (const Output *o : {&table, &stakes, &sima, &landxml, &report, &save, &plan})
        if (!o->path.empty()) out.push_back(o);
    return out;
}

bool parseRouteOptions(int argc, char **argv, RouteOptions &options) { return Parser(argc, argv, options).run(); }

std::string settingsText(const RouteOptions &o) {
    std::string text = "[route]\nformat = 1\n";
    if (!o.name.empty()) text += "name = " + design_model::quotedValue(o.name) + "\n";
    line(text, "zone", o.zone);
    line(text, "bp.station", o.start);
    line(text, "pitch", o.pitch);
    line(text, "speed", o.speed);
    for (const std::string &e : o.equations) line(text, "equation", e);
    line(text, "width.left", o.widthLeft);
    line(text, "width.right", o.widthRight);
    if (!o.alignment.empty()) text += "alignment = " + design_model::quotedValue(o.alignment) + "\n";
    return text;
}

} // namespace korvane_route
