// The route's writers, byte for byte, on a route whose every number is
// known by hand: BP (0, 0), IP1 (100, 0), EP (100, 100) with a simple curve
// R = 50 at IP1. The line runs north 50 m to BC1 (50, 0), turns right on
// the circle about (50, 50) — the point θ along it is
// (50 + 50 sin θ, 50 − 50 cos θ), heading θ — to EC1 (100, 50) after
// 25π = 78.5398 m, and runs east to EP (100, 100) at 178.5398 m.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "route/calculation_sheet.h"
#include "route/route_input.h"
#include "route/route_landxml.h"
#include "route/route_rows.h"
#include "route/sheet_text.h"
#include "route/sima_text.h"
#include "route/table_csv.h"
#include "route_support.h"

using namespace korvane::route;

namespace {

LoadedRoute corner(double pitch, std::optional<double> radius = 50.0) {
    LoadedRoute route;
    route.settings.name = "試験路線";
    route.settings.zone = 9;
    route.settings.stationing.pitch = pitch;
    route.settings.widths = StakeWidths{2, 3};
    route.ips = {{"BP", {0, 0}, {}}, {"", {100, 0}, {}}, {"EP", {100, 100}, {}}};
    route.ips[1].curve.r = radius;
    computeLoadedRoute(route);
    return route;
}

std::vector<TableRow> rowsOf(const LoadedRoute &route) {
    std::vector<Message> messages;
    std::vector<TableRow> rows = loadedRows(route, messages);
    EXPECT_TRUE(messages.empty());
    return rows;
}

std::string lines(const std::vector<std::string> &lines, const char *end) {
    std::string text;
    for (const std::string &line : lines) text += line + end;
    return text;
}

std::tm stamp() {
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 7;
    t.tm_hour = 10;
    t.tm_min = 20;
    t.tm_sec = 30;
    return t;
}

} // namespace

// Every main point, full station and extra station in order; the extra
// station 橋 at 30 m is named by its own name.
TEST(RouteWriters, CoordinateTableBytes) {
    LoadedRoute route = corner(20);
    route.settings.stationing.extras = {{30, "橋"}};
    EXPECT_EQ(coordinateTableCsv(rowsOf(route)), lines({
                  "点名,測点,追加距離,実距離,X,Y,方向角",
                  "BP,NO.0+0.000,0.0000,0.0000,0.0000,0.0000,000°00′00.0″",
                  "NO.1,NO.1+0.000,20.0000,20.0000,20.0000,0.0000,000°00′00.0″",
                  "橋,NO.1+10.000,30.0000,30.0000,30.0000,0.0000,000°00′00.0″",
                  "NO.2,NO.2+0.000,40.0000,40.0000,40.0000,0.0000,000°00′00.0″",
                  "BC1,NO.2+10.000,50.0000,50.0000,50.0000,0.0000,000°00′00.0″",
                  "NO.3,NO.3+0.000,60.0000,60.0000,59.9335,0.9967,011°27′33.0″",
                  "NO.4,NO.4+0.000,80.0000,80.0000,78.2321,8.7332,034°22′38.9″",
                  "NO.5,NO.5+0.000,100.0000,100.0000,92.0735,22.9849,057°17′44.8″",
                  "NO.6,NO.6+0.000,120.0000,120.0000,99.2725,41.5016,080°12′50.7″",
                  "EC1,NO.6+8.540,128.5398,128.5398,100.0000,50.0000,090°00′00.0″",
                  "NO.7,NO.7+0.000,140.0000,140.0000,100.0000,61.4602,090°00′00.0″",
                  "NO.8,NO.8+0.000,160.0000,160.0000,100.0000,81.4602,090°00′00.0″",
                  "EP,NO.8+18.540,178.5398,178.5398,100.0000,100.0000,090°00′00.0″",
              }, "\r\n"));
    // A name with a comma or a quote is quoted as a spreadsheet reads it.
    route.settings.stationing.extras = {{30, "橋,\"北\""}};
    EXPECT_NE(coordinateTableCsv(rowsOf(route)).find("\r\n\"橋,\"\"北\"\"\",NO.1+10.000,30.0000,"), std::string::npos);
}

// Left 2 m and right 3 m of every row: square to the line, on the arc at
// the radii 52 and 47 about its centre.
TEST(RouteWriters, StakeTableBytes) {
    const LoadedRoute route = corner(40);
    const std::vector<TableRow> rows = rowsOf(route);
    EXPECT_EQ(stakeTableCsv(rows, stakes(route.alignment, rows, *route.settings.widths)), lines({
                  "点名,測点,追加距離,左右,幅,X,Y",
                  "BP,NO.0+0.000,0.0000,左,2.0000,0.0000,-2.0000",
                  "BP,NO.0+0.000,0.0000,右,3.0000,0.0000,3.0000",
                  "NO.1,NO.1+0.000,40.0000,左,2.0000,40.0000,-2.0000",
                  "NO.1,NO.1+0.000,40.0000,右,3.0000,40.0000,3.0000",
                  "BC1,NO.1+10.000,50.0000,左,2.0000,50.0000,-2.0000",
                  "BC1,NO.1+10.000,50.0000,右,3.0000,50.0000,3.0000",
                  "NO.2,NO.2+0.000,80.0000,左,2.0000,79.3614,7.0825",
                  "NO.2,NO.2+0.000,80.0000,右,3.0000,76.5382,11.2092",
                  "NO.3,NO.3+0.000,120.0000,左,2.0000,101.2434,41.1617",
                  "NO.3,NO.3+0.000,120.0000,右,3.0000,96.3161,42.0115",
                  "EC1,NO.3+8.540,128.5398,左,2.0000,102.0000,50.0000",
                  "EC1,NO.3+8.540,128.5398,右,3.0000,97.0000,50.0000",
                  "NO.4,NO.4+0.000,160.0000,左,2.0000,102.0000,81.4602",
                  "NO.4,NO.4+0.000,160.0000,右,3.0000,97.0000,81.4602",
                  "EP,NO.4+18.540,178.5398,左,2.0000,102.0000,100.0000",
                  "EP,NO.4+18.540,178.5398,右,3.0000,97.0000,100.0000",
              }, "\r\n"));
}

// Where the line bends at an IP without curve, the stake stands where the
// offset lines of both legs meet (102, −2) and (97, 3), so that it keeps
// its width from either leg; a side of width 0 has no stakes.
TEST(RouteWriters, StakesAtABendPointKeepTheWidthFromBothLegs) {
    const LoadedRoute route = corner(100, std::nullopt);
    const std::vector<TableRow> rows = rowsOf(route);
    ASSERT_EQ(rows[1].name, "IP1");
    const std::vector<Stake> both = stakes(route.alignment, rows, StakeWidths{2, 3});
    ASSERT_EQ(both.size(), 2 * rows.size());
    EXPECT_NEAR(both[2].point.x, 102, 1e-9);
    EXPECT_NEAR(both[2].point.y, -2, 1e-9);
    EXPECT_NEAR(both[3].point.x, 97, 1e-9);
    EXPECT_NEAR(both[3].point.y, 3, 1e-9);
    const std::vector<Stake> right = stakes(route.alignment, rows, StakeWidths{0, 3});
    ASSERT_EQ(right.size(), rows.size());
    EXPECT_EQ(right[0].side, 1);
}

// Header, the coordinate records of every row, the centre line as one
// chain of them, the end record; CR LF throughout.
TEST(RouteWriters, SimaBytes) {
    EXPECT_EQ(simaText("試験路線", rowsOf(corner(100))), lines({
                  "G00,03,試験路線,",
                  "Z00,座標データ,",
                  "A00,",
                  "A01,1,BP,0.0000,0.0000,,",
                  "A01,2,BC1,50.0000,0.0000,,",
                  "A01,3,NO.1,92.0735,22.9849,,",
                  "A01,4,EC1,100.0000,50.0000,,",
                  "A01,5,EP,100.0000,100.0000,,",
                  "A99,",
                  "Z00,区画データ,",
                  "D00,1,試験路線,",
                  "B01,1,BP,",
                  "B01,2,BC1,",
                  "B01,3,NO.1,",
                  "B01,4,EC1,",
                  "B01,5,EP,",
                  "D99,",
                  "A99,END,",
              }, "\r\n"));
    // A comma in a name would end the field: it becomes a full-width comma.
    EXPECT_EQ(simaText("A,B", {}), lines({"G00,03,A，B,", "Z00,座標データ,", "A00,", "A99,", "Z00,区画データ,",
                                          "D00,1,A，B,", "D99,", "A99,END,"},
                                         "\r\n"));
}

// The whole document: CgPoints with their stations, labels and directions;
// Line, Curve (rot, radius, Start/Center/End), Line with the main points
// named on their ends; the IPs.
TEST(RouteWriters, LandXmlBytes) {
    const LoadedRoute route = corner(100);
    EXPECT_EQ(routeLandXmlText(route, rowsOf(route), stamp()), lines({
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
        "<LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.2\" date=\"2026-12-07\" time=\"10:20:30\" version=\"1.2\">",
        "  <Project name=\"試験路線\"/>",
        "  <Application name=\"Rovena\" version=\"1.0\"/>",
        "  <CoordinateSystem horizontalDatum=\"JGD2011\" horizontalCoordinateSystemName=\"9(X,Y)\"/>",
        "  <Units>",
        "    <Metric areaUnit=\"squareMeter\" linearUnit=\"meter\" volumeUnit=\"cubicMeter\" temperatureUnit=\"celsius\" "
        "pressureUnit=\"HPA\" angularUnit=\"decimal dd.mm.ss\" directionUnit=\"decimal dd.mm.ss\"/>",
        "  </Units>",
        "  <CgPoints name=\"中心線座標\">",
        "    <CgPoint name=\"BP\" featureRef=\"BP\">0.000000 0.000000</CgPoint>",
        "    <CgPoint name=\"BC1\" featureRef=\"BC1\">50.000000 0.000000</CgPoint>",
        "    <CgPoint name=\"NO.1\" featureRef=\"NO.1\">92.073549 22.984885</CgPoint>",
        "    <CgPoint name=\"EC1\" featureRef=\"EC1\">100.000000 50.000000</CgPoint>",
        "    <CgPoint name=\"EP\" featureRef=\"EP\">100.000000 100.000000</CgPoint>",
        "    <Feature name=\"BP\">",
        "      <Property label=\"sta\" value=\"0.000000\"/>",
        "      <Property label=\"測点\" value=\"NO.0+0.000\"/>",
        "      <Property label=\"方向角\" value=\"0.00000000\"/>",
        "    </Feature>",
        "    <Feature name=\"BC1\">",
        "      <Property label=\"sta\" value=\"50.000000\"/>",
        "      <Property label=\"測点\" value=\"NO.0+50.000\"/>",
        "      <Property label=\"方向角\" value=\"0.00000000\"/>",
        "    </Feature>",
        "    <Feature name=\"NO.1\">",
        "      <Property label=\"sta\" value=\"100.000000\"/>",
        "      <Property label=\"測点\" value=\"NO.1+0.000\"/>",
        "      <Property label=\"方向角\" value=\"57.17448062\"/>",
        "    </Feature>",
        "    <Feature name=\"EC1\">",
        "      <Property label=\"sta\" value=\"128.539816\"/>",
        "      <Property label=\"測点\" value=\"NO.1+28.540\"/>",
        "      <Property label=\"方向角\" value=\"90.00000000\"/>",
        "    </Feature>",
        "    <Feature name=\"EP\">",
        "      <Property label=\"sta\" value=\"178.539816\"/>",
        "      <Property label=\"測点\" value=\"NO.1+78.540\"/>",
        "      <Property label=\"方向角\" value=\"90.00000000\"/>",
        "    </Feature>",
        "  </CgPoints>",
        "  <Alignments>",
        "    <Alignment name=\"試験路線\" length=\"178.539816\" staStart=\"0.000000\">",
        "      <CoordGeom>",
        "        <Line length=\"50.000000\"><Start name=\"BP\">0.000000 0.000000</Start>"
        "<End name=\"BC1\">50.000000 0.000000</End></Line>",
        "        <Curve rot=\"cw\" radius=\"50.000000\" length=\"78.539816\"><Start name=\"BC1\">50.000000 0.000000</Start>"
        "<Center>50.000000 50.000000</Center><End name=\"EC1\">100.000000 50.000000</End></Curve>",
        "        <Line length=\"50.000000\"><Start name=\"EC1\">100.000000 50.000000</Start>"
        "<End name=\"EP\">100.000000 100.000000</End></Line>",
        "      </CoordGeom>",
        "      <AlignPIs>",
        "        <AlignPI><PI name=\"BP\">0.000000 0.000000</PI></AlignPI>",
        "        <AlignPI><PI name=\"IP1\">100.000000 0.000000</PI></AlignPI>",
        "        <AlignPI><PI name=\"EP\">100.000000 100.000000</PI></AlignPI>",
        "      </AlignPIs>",
        "    </Alignment>",
        "  </Alignments>",
        "</LandXML>",
    }, "\n"));
}

// Equations where they stand: staInternal is BP's station plus the distance
// along the line (1050 = 1100 at 50 m; 1120 = 1110, 20 m further on); a
// route without zone has a coordinate system without datum.
TEST(RouteWriters, LandXmlStationEquationsAndNoZone) {
    LoadedRoute route = corner(100);
    route.settings.zone = 0;
    route.settings.stationing.bpStation = 1000;
    route.settings.stationing.equations = {{1050, 1100}, {1120, 1110}};
    const std::string xml = routeLandXmlText(route, rowsOf(route), stamp());
    EXPECT_NE(xml.find("  <CoordinateSystem/>\n"), std::string::npos);
    EXPECT_NE(xml.find("    <Alignment name=\"試験路線\" length=\"178.539816\" staStart=\"1000.000000\">\n"),
              std::string::npos);
    EXPECT_NE(xml.find("      </CoordGeom>\n"
                       "      <StaEquation staBack=\"1050.000000\" staAhead=\"1100.000000\" staInternal=\"1050.000000\"/>\n"
                       "      <StaEquation staBack=\"1120.000000\" staAhead=\"1110.000000\" staInternal=\"1070.000000\"/>\n"
                       "      <AlignPIs>\n"),
              std::string::npos);
}

// A route of a basic curve meeting another turning the other way in an S
// joint, then an egg curve: no straight (and no Line of length 0) at the
// joint; every element begins where the one before it ends, at the point of
// an independent integration of the curvature; each Spiral's A, radii and
// rotation agree with its length, and its PI lies on the tangents at both
// of its ends (their directions differ by the spiral's turn).
TEST(RouteWriters, LandXmlChainOfAnSJointAndAnEggCurve) {
    using route_support::CurveSpec;
    const route_support::BuiltRoute built = route_support::buildRoute(
        {-5000, 12000}, {{60, 100}, {95, 0}, {55, 80}, {120, 120}},
        {CurveSpec{110, 200, 110}, CurveSpec{120, 250, 130}, CurveSpec{130, 300, 100, 150, 120, 30}});
    LoadedRoute route;
    route.ips = built.input;
    computeLoadedRoute(route);
    ASSERT_FALSE(hasRefusal(route.messages));
    const std::string xml = routeLandXmlText(route, rowsOf(route), stamp());
    const route_support::Integrator exact({built.bp.x, built.bp.y}, built.bpDirection, built.pieces);

    const std::regex element("<(Line|Spiral|Curve) ([^>]*)><Start[^>]*>([-0-9.]+) ([-0-9.]+)</Start>"
                             "(?:<(?:PI|Center)>([-0-9.]+) ([-0-9.]+)</(?:PI|Center)>)?<End[^>]*>([-0-9.]+) ([-0-9.]+)</End>");
    const std::regex attribute("(\\w+)=\"([^\"]*)\"");
    std::string kinds;
    double s = 0, lastX = built.bp.x, lastY = built.bp.y;
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), element); it != std::sregex_iterator(); ++it) {
        const std::smatch &m = *it;
        std::map<std::string, std::string> a;
        const std::string attributes = m[2];
        for (auto at = std::sregex_iterator(attributes.begin(), attributes.end(), attribute); at != std::sregex_iterator(); ++at)
            a[(*at)[1]] = (*at)[2];
        kinds += m[1].str().substr(0, 1);
        const double x0 = std::stod(m[3]), y0 = std::stod(m[4]), x1 = std::stod(m[7]), y1 = std::stod(m[8]);
        EXPECT_NEAR(x0, lastX, 2e-6);
        EXPECT_NEAR(y0, lastY, 2e-6);
        s += std::stod(a["length"]);
        const route_support::Xy end = exact.at(s);
        EXPECT_NEAR(x1, end.x, 2e-6) << kinds;
        EXPECT_NEAR(y1, end.y, 2e-6) << kinds;
        lastX = x1, lastY = y1;
        if (m[1] != "Spiral") continue;
        const auto curvature = [&](const std::string &r) { return r == "INF" ? 0.0 : 1 / std::stod(r); };
        const double k0 = curvature(a["radiusStart"]), k1 = curvature(a["radiusEnd"]), length = std::stod(a["length"]);
        const std::size_t a0 = xml.find("label=\"A\" value=\"", static_cast<std::size_t>(m.position(0)));
        const double pieceA = std::stod(xml.substr(a0 + 17));
        EXPECT_NEAR(pieceA * pieceA * std::fabs(k1 - k0), length, 1e-5);
        const double px = std::stod(m[5]), py = std::stod(m[6]);
        const double in = std::atan2(py - y0, px - x0), out = std::atan2(y1 - py, x1 - px);
        const double turn = std::remainder(out - in, 2 * std::numbers::pi);
        EXPECT_NEAR(std::fabs(turn), length * (k0 + k1) / 2, 1e-7);
        EXPECT_EQ(a["rot"], turn > 0 ? "cw" : "ccw");
    }
    // S: BP–KA1-1 line, the first curve, the second at once, a line, the egg curve, a line.
    EXPECT_EQ(kinds, "LSCSSCSLSCSCSL");
    EXPECT_NEAR(s, exact.length(), 1e-5);
}

// The calculation sheet as an engineer hands it in: conditions, IP table,
// the element table of each curve (values the curve lacks left blank),
// main points and stations with the distance from the row before, and the
// checks. Columns are two apart and counted in the widths a Japanese
// fixed-width font gives: a full-width character takes two.
TEST(RouteWriters, CalculationSheetText) {
    const LoadedRoute route = corner(100);
    const std::vector<TableRow> rows = rowsOf(route);
    EXPECT_EQ(sheetText(calculationSheet(route, rows, route.messages)), lines({
        "線形計算書",
        "",
        "■ 計算条件",
        "  項目        値",
        "  ----------  ----------------------------------",
        "  路線名      試験路線",
        "  座標系      平面直角座標系 第9系",
        "  BP の測点   NO.0+0.000（追加距離 0.0000 m）",
        "  EP の測点   NO.1+78.540（追加距離 178.5398 m）",
        "  路線長      178.5398 m",
        "  測点ピッチ  100 m",
        "  設計速度    指定なし",
        "  ブレーキ    なし",
        "  追加杭      なし",
        "  幅杭の幅    左 2 m、右 3 m",
        "",
        "■ IP 表",
        "  IP          X         Y  IP間距離           方向角              IA  左右  曲線",
        "  ---  --------  --------  --------  ---------------  --------------  ----  ------",
        "  BP     0.0000    0.0000  100.0000  000°00′00.0″",
        "  IP1  100.0000    0.0000  100.0000  090°00′00.0″  90°00′00.0″  右    単曲線",
        "  EP   100.0000  100.0000",
        "",
        "■ 曲線要素",
        "  IP1  単曲線  右  IA = 90°00′00.0″",
        "  要素  始点側  終点側",
        "  ----  ------  ------",
        "  R     50.000",
        "  A",
        "  L",
        "  τ",
        "  ΔR",
        "  XM",
        "  TL    50.000  50.000",
        "  Lc    78.540",
        "  CL    78.540",
        "",
        "■ 主要点・測点",
        "  点名  測点         追加距離   単距離         X         Y           方向角",
        "  ----  -----------  --------  -------  --------  --------  ---------------",
        "  BP    NO.0+0.000     0.0000             0.0000    0.0000  000°00′00.0″",
        "  BC1   NO.0+50.000   50.0000  50.0000   50.0000    0.0000  000°00′00.0″",
        "  NO.1  NO.1+0.000   100.0000  50.0000   92.0735   22.9849  057°17′44.8″",
        "  EC1   NO.1+28.540  128.5398  28.5398  100.0000   50.0000  090°00′00.0″",
        "  EP    NO.1+78.540  178.5398  50.0000  100.0000  100.0000  090°00′00.0″",
        "",
        "■ 照査",
        "  番号  内容",
        "  ----  ------------------",
        "        警告はありません。",
    }, "\r\n"));
}

// The same sheet as data: sections, tables, columns with their alignment,
// rows of finished cells; texts escaped as JSON escapes them.
TEST(RouteWriters, CalculationSheetJson) {
    LoadedRoute route = corner(100);
    route.settings.name = "A\"B\\C\tD";
    const std::string json = sheetJson(calculationSheet(route, rowsOf(route), route.messages));
    EXPECT_EQ(json.rfind("{\"title\":\"線形計算書\",\"sections\":[{\"heading\":\"計算条件\",\"tables\":[{\"caption\":\"\","
                         "\"columns\":[{\"title\":\"項目\",\"align\":\"left\"},{\"title\":\"値\",\"align\":\"left\"}],"
                         "\"rows\":[[\"路線名\",\"A\\\"B\\\\C\\u0009D\"]",
                         0),
              0u);
    EXPECT_NE(json.find("{\"heading\":\"照査\",\"tables\":[{\"caption\":\"\",\"columns\":[{\"title\":\"番号\",\"align\":\"right\"},"
                        "{\"title\":\"内容\",\"align\":\"left\"}],\"rows\":[[\"\",\"警告はありません。\"]]}]}]}\n"),
              std::string::npos);
    EXPECT_NE(json.find("[\"EC1\",\"NO.1+28.540\",\"128.5398\",\"28.5398\",\"100.0000\",\"50.0000\",\"090°00′00.0″\"]"),
              std::string::npos);
}

// Columns as a fixed-width Japanese font shows them: ASCII and half-width
// katakana one, everything else (°, ′, Δ, τ and the kanji among them) two,
// as many as their bytes in cp932.
TEST(RouteWriters, DisplayWidth) {
    const std::pair<std::string, std::size_t> cases[] = {
        {"", 0}, {"NO.1+0.000", 10}, {"測点", 4}, {"ｶﾀｶﾅ", 4}, {"090°00′00.0″", 15}, {"ΔR", 3}, {"τM", 3}, {"ﾟ", 1},
    };
    for (const auto &[text, width] : cases) EXPECT_EQ(displayWidth(text), width) << text;
}
