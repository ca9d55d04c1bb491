#include "route/calculation_sheet.h"

#include "route/number_text.h"
#include "world/angle_text.h"

namespace korvane::route {

namespace {

constexpr int kCoordinateDecimals = 4;
constexpr int kElementDecimals = 3;

std::string length(double value) { return fixedText(value, kCoordinateDecimals); }
std::string element(double value) { return fixedText(value, kElementDecimals); }

SheetColumn left(const char *title) { return SheetColumn{title, CellAlign::Left}; }
SheetColumn right(const char *title) { return SheetColumn{title, CellAlign::Right}; }

std::string equationsText(const Stationing &st) {
    if (st.equations.empty()) return "なし";
    std::string text;
    for (const StationEquation &e : st.equations)
        text += (text.empty() ? "" : "、") + stationLabel(e.back, st.pitch) + " = " + stationLabel(e.ahead, st.pitch);
    return text;
}

std::string widthsText(const RouteSettings &s) {
    if (!s.widths) return "なし";
    return "左 " + valueText(s.widths->left) + " m、右 " + valueText(s.widths->right) + " m";
}

SheetSection conditions(const LoadedRoute &route, const std::vector<TableRow> &rows) {
    const RouteSettings &s = route.settings;
    const Stationing &st = s.stationing;
    SheetTable t{{}, {left("項目"), left("値")}, {}};
    t.rows.push_back({"路線名", s.name.empty() ? "（なし）" : s.name});
    t.rows.push_back({"座標系", s.zone > 0 ? "平面直角座標系 第" + std::to_string(s.zone) + "系" : "指定なし"});
    t.rows.push_back({"BP の測点", stationLabel(st.bpStation, st.pitch) + "（追加距離 " + length(st.bpStation) + " m）"});
    if (!rows.empty())
        t.rows.push_back({"EP の測点", rows.back().label + "（追加距離 " + length(rows.back().station) + " m）"});
    t.rows.push_back({"路線長", length(route.alignment.length()) + " m"});
    t.rows.push_back({"測点ピッチ", valueText(st.pitch) + " m"});
    t.rows.push_back({"設計速度", s.speed > 0 ? std::to_string(s.speed) + " km/h" : "指定なし"});
    t.rows.push_back({"ブレーキ", equationsText(st)});
    t.rows.push_back({"追加杭", st.extras.empty() ? "なし" : std::to_string(st.extras.size()) + " 本"});
    t.rows.push_back({"幅杭の幅", widthsText(s)});
    return SheetSection{"計算条件", {t}};
}

SheetSection ipTable(const LoadedRoute &route) {
    SheetTable t{{},
                 {left("IP"), right("X"), right("Y"), right("IP間距離"), right("方向角"), right("IA"), left("左右"),
                  left("曲線")},
                 {}};
    for (std::size_t i = 0; i < route.ipResults.size(); ++i) {
        const RouteIp &ip = route.ipResults[i];
        const bool last = i + 1 == route.ipResults.size();
        const bool end = i == 0 || last;
        t.rows.push_back({ip.name, length(ip.point.x), length(ip.point.y), last ? "" : length(ip.legLength),
                          last ? "" : directionText(ip.legDirection), end ? "" : angleText(ip.ia), turnName(ip.turn),
                          end ? "" : curveKindName(ip.kind)});
    }
    return SheetSection{"IP 表", {t}};
}

// Cells of a value that the kind may lack: blank when absent.
std::string given(bool present, double value) { return present ? element(value) : std::string(); }
std::string givenAngle(bool present, double value) { return present ? angleText(value) : std::string(); }

SheetTable elementTable(const RouteIp &ip) {
    const CurveElements &e = ip.curve;
    const bool first = e.a1 > 0, second = e.a2 > 0, egg = ip.kind == CurveKind::Egg;
    const bool arc = ip.kind != CurveKind::Convex;
    SheetTable t{ip.name + "  " + curveKindName(ip.kind) + "  " + turnName(ip.turn) + "  IA = " + angleText(ip.ia),
                 {left("要素"), right("始点側"), right("終点側")},
                 {}};
    t.rows.push_back({"R", element(e.r), egg ? element(e.r2) : ""});
    t.rows.push_back({"A", given(first, e.a1), given(second, e.a2)});
    t.rows.push_back({"L", given(first, e.l1), given(second, e.l2)});
    t.rows.push_back({"τ", givenAngle(first, e.tau1), givenAngle(second, e.tau2)});
    t.rows.push_back({"ΔR", given(first, e.shift1), given(second, e.shift2)});
    t.rows.push_back({"XM", given(first, e.xm1), given(second, e.xm2)});
    t.rows.push_back({"TL", element(e.t1), element(e.t2)});
    t.rows.push_back({"Lc", arc ? element(e.lc) : "", egg ? element(e.lc2) : ""});
    if (egg) {
        t.rows.push_back({"AM", element(e.am), ""});
        t.rows.push_back({"LM", element(e.lm), ""});
        t.rows.push_back({"τM", angleText(e.tauM), ""});
    }
    t.rows.push_back({"CL", element(e.cl), ""});
    return t;
}

SheetSection elementTables(const LoadedRoute &route) {
    SheetSection section{"曲線要素", {}};
    for (const RouteIp &ip : route.ipResults)
        if (ip.planned) section.tables.push_back(elementTable(ip));
    return section;
}

SheetSection stations(const std::vector<TableRow> &rows) {
    SheetTable t{{},
                 {left("点名"), left("測点"), right("追加距離"), right("単距離"), right("X"), right("Y"), right("方向角")},
                 {}};
    t.rows.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TableRow &r = rows[i];
        t.rows.push_back({r.name, r.label, length(r.station), i == 0 ? "" : length(r.distance - rows[i - 1].distance),
                          length(r.pose.point.x), length(r.pose.point.y), directionText(r.pose.direction)});
    }
    return SheetSection{"主要点・測点", {t}};
}

SheetSection checks(const std::vector<Message> &warnings) {
    SheetTable t{{}, {right("番号"), left("内容")}, {}};
    for (const Message &m : warnings)
        if (m.severity == Severity::Warning) t.rows.push_back({std::to_string(t.rows.size() + 1), m.text});
    if (t.rows.empty()) t.rows.push_back({"", "警告はありません。"});
    return SheetSection{"照査", {t}};
}

} // namespace

CalculationSheet calculationSheet(const LoadedRoute &route, const std::vector<TableRow> &rows,
                                  const std::vector<Message> &warnings) {
    CalculationSheet sheet{"線形計算書", {}};
    sheet.sections.push_back(conditions(route, rows));
    if (!route.ipResults.empty()) {
        sheet.sections.push_back(ipTable(route));
        sheet.sections.push_back(elementTables(route));
    }
    sheet.sections.push_back(stations(rows));
    sheet.sections.push_back(checks(warnings));
    return sheet;
}

} // namespace korvane::route
