#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <ctime>
#include <regex>
#include <string>
#include <vector>

#include "drawing/drawing_frame.h"
#include "korvane.h"
#include "params/c_locale.h"
#include "params/design_record.h"
#include "world/landxml_writer.h"
#include "world/table_points.h"
#include "world/world_design.h"
#include "world_support.h"

using testing_support::MessageRecorder;
using testing_support::readBytes;
using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;
using world_support::along;
using world_support::CurveIntegrator;
using world_support::placementText;
using world_support::radians;
using world_support::Xy;

namespace {

// The asymmetric curve A1 = 100, A2 = 150, R = 200, IA = 60°, KA at NO.5+12.345
// with a 20 m pitch, normal lines 30 m and 55 m after the KA at the origin.
drawing_support::Design testDesign(const std::string &direction = "L") {
    drawing_support::Design d;
    d.direction = direction;
    d.intervals = "30 25";
    return d;
}

constexpr double kOrigin = 5 * 20 + 12.345;
constexpr double kBpLeg = 300;
constexpr double kEpLeg = 400;

struct Files {
    TempDir dir;
    std::string parameters = dir.file("ALN_TXT_.DAT");
    std::string placement = dir.file("design.rvd");

    Files(const drawing_support::Design &design, const std::string &placementContent) {
        writeFile(parameters, design.parameterText());
        writeFile(placement, placementContent);
    }
};

// A placement turning by IA (positive: clockwise) from the first direction,
// the IP away from the origin so that both coordinates matter.
std::string turningPlacement(double inDegrees, double iaDegrees) {
    const Xy ip{-41234.5678, 15678.9012};
    const double in = radians(inDegrees);
    const double out = radians(inDegrees + iaDegrees);
    return placementText(along(ip, in, -kBpLeg), ip, along(ip, out, kEpLeg));
}

// Tangent lengths from the integrated curve: the first tangent is the x axis,
// the second passes through the curve's end in the direction IA.
struct Tangents {
    double in;
    double out;
};

Tangents integratedTangents(double aIn, double aOut) {
    const double ia = radians(60);
    CurveIntegrator local(aIn, 200, aOut, ia, Xy{0, 0}, 0, 1);
    const Xy end = local.advanceTo(local.curveLength());
    return Tangents{end.x - end.y * std::cos(ia) / std::sin(ia), end.y / std::sin(ia)};
}

std::vector<korvane::TablePoint> placedPoints(const Files &files, korvane::WorldAlignment &w) {
    korvane::CLocaleScope locale;
    if (!korvane::loadWorldDesign(files.parameters.c_str(), files.placement.c_str(), w)) return {};
    return korvane::tablePoints(w);
}

std::string turnFile(const Files &files, int &result) {
    const std::string out = files.dir.file("turn.txt");
    result = korvane_placement_angle(files.parameters.c_str(), files.placement.c_str(), out.c_str());
    return readFile(out);
}

} // namespace

// IA from three points against hand calculation: tan IA = 3/4 gives
// 36.869897646° = 36°52′11.631525″; a turn across north; a right turn in the
// third quadrant. The curve direction follows the station direction.
TEST(WorldTurn, IaAndDirectionFromThreePointsMatchHandCalculation) {
    struct Case {
        Xy bp, ip, ep;
        std::string direction;
        std::string expected;
    };
    const double c350 = std::cos(radians(350)), s350 = std::sin(radians(350));
    const double c10 = std::cos(radians(10)), s10 = std::sin(radians(10));
    const Case cases[] = {
        {{0, 0}, {100, 0}, {500, -300}, "L",
         "ia.degrees = 36\nia.minutes = 52\nia.seconds = 11.631525\ncurve.direction = up\nturn = left\n"
         "parameter.line = 36 52 11.631525\n"},
        {{0, 0}, {100, 0}, {500, -300}, "R",
         "ia.degrees = 36\nia.minutes = 52\nia.seconds = 11.631525\ncurve.direction = down\nturn = left\n"
         "parameter.line = -36 52 11.631525\n"},
        {{-100 * c350, -100 * s350}, {0, 0}, {100 * c10, 100 * s10}, "L",
         "ia.degrees = 20\nia.minutes = 0\nia.seconds = 0.000000\ncurve.direction = down\nturn = right\n"
         "parameter.line = -20 0 0.000000\n"},
        {{0, 0}, {-100, -100}, {-100, -250}, "L",
         "ia.degrees = 45\nia.minutes = 0\nia.seconds = 0.000000\ncurve.direction = down\nturn = right\n"
         "parameter.line = -45 0 0.000000\n"},
        // Under one minute turning right: the minus goes onto the seconds.
        {{0, 0}, {1000, 0}, {2000, 1000 * std::tan(radians(30.0 / 3600))}, "L",
         "ia.degrees = 0\nia.minutes = 0\nia.seconds = 30.000000\ncurve.direction = down\nturn = right\n"
         "parameter.line = 0 0 -30.000000\n"},
    };
    for (const Case &c : cases) {
        Files files(testDesign(c.direction), placementText(c.bp, c.ip, c.ep));
        int result = 0;
        const std::string text = turnFile(files, result);
        EXPECT_EQ(result, 1);
        EXPECT_EQ(text, "# IA derived from BP, IP and EP\n" + c.expected);
    }
}

TEST(WorldTurn, BadPlacementsAreRefusedWithAMessage) {
    const std::string good = placementText({0, 0}, {100, 0}, {200, 50});
    struct Case {
        std::string placement;
        std::string message;
    };
    const Case cases[] = {
        {placementText({0, 0}, {0, 0.0005}, {100, 50}), "配置ファイル: BP と IP が同じ点です (1 mm 未満)。"},
        {placementText({0, 0}, {100, 0}, {100, 0}), "配置ファイル: IP と EP が同じ点です (1 mm 未満)。"},
        {placementText({0, 0}, {100, 100}, {250, 250}), "配置ファイル: BP, IP, EP が一直線上にあり、IA が 0 になります。"},
        {placementText({0, 0}, {100, 0}, {50, 0}), "配置ファイル: EP が BP の方へ戻っていて、IA が 180° 以上になります。"},
        {placementText({0, 0}, {100, 0}, {200, 50}, "20"), "配置ファイル: 座標系の系番号は 1 から 19 です: 20"},
        {placementText({0, 0}, {100, 0}, {200, 50}, "0"), "配置ファイル: 座標系の系番号は 1 から 19 です: 0"},
        {placementText({0, 0}, {100, 0}, {200, 50}, "IX"), "配置ファイル: 座標系の系番号は 1 から 19 です: IX"},
        {"[placement]\nzone = 9\nbp = 0 0\nip = 100 0\n", "配置ファイル: [placement] に ep がありません"},
        {"[design]\nscale = 250\n", "配置ファイル: [placement] がありません"},
        {good + "bp = 1 1\n", "配置ファイル: bp が二度あります (11行目)"},
        {"[placement]\nzone = 9\nbp = 0\n", "配置ファイル: bp の座標が読めません (X Y の二つの数値、±10000 km 以内): 0 (3行目)"},
        {"[placement]\nzone = 9\nbp = 1e300 0\n",
         "配置ファイル: bp の座標が読めません (X Y の二つの数値、±10000 km 以内): 1e300 0 (3行目)"},
        {"[placement]\nroute = \"a\x01\"\n", "配置ファイル: 路線名に制御文字があります"},
        {"[placement]\nroute = \"a\\tb\"\n", "配置ファイル: 路線名に制御文字があります"},
        {"[placement]\nzone = \x82\xa0\n", "配置ファイル: UTF-8 のテキストではありません"},
    };
    for (const Case &c : cases) {
        Files files(testDesign(), c.placement);
        MessageRecorder recorder;
        int result = 1;
        turnFile(files, result);
        EXPECT_EQ(result, 0) << c.message;
        EXPECT_EQ(recorder.utf8(), std::vector<std::string>{c.message});
    }
    Files files(testDesign(), "");
    const std::string missing = files.dir.file("missing.rvd");
    MessageRecorder recorder;
    EXPECT_EQ(korvane_placement_angle(files.parameters.c_str(), missing.c_str(), files.dir.file("out").c_str()), 0);
    EXPECT_EQ(recorder.utf8(), std::vector<std::string>{"配置ファイル: 開けないか、大きすぎます: " + missing});
}

// Full-width digits, an ideographic space and a quoted route are read as typed
// in a Japanese form; unknown keys and sections are passed over.
TEST(WorldTurn, PlacementAsTheFormWritesIt) {
    Files files(testDesign(), "\xEF\xBB\xBF[design]\nbp = x\n[placement]\nzone = ９\nroute = \" 国道\\\"1\\\"号 \"\n"
                              "colour = red\nbp = ０　０\nip = １００．５ ０\nep = 200 −50\n[other]\nep = y\n");
    korvane::Placement placement;
    ASSERT_EQ(korvane::readPlacementFile(files.placement.c_str(), placement), 1);
    EXPECT_EQ(placement.zone, 9);
    EXPECT_EQ(placement.route, " 国道\"1\"号 ");
    EXPECT_EQ(placement.ip.x, 100.5);
    EXPECT_EQ(placement.ep.y, -50);
}

// The main points, every station and the normal lines against the centre
// line integrated from its curvature in the world frame: first directions in
// all four quadrants, turning both ways, stations from either end. BP→KA1
// and KA2→EP are the legs less the tangent lengths of the integrated curve.
TEST(WorldAlignment, PointsMatchTheIntegratedCentreLine) {
    const Tangents l = integratedTangents(100, 150);
    ASSERT_NEAR(l.in, 143.19254, 1e-5);
    ASSERT_NEAR(l.out, 170.65512, 1e-5);
    for (const std::string direction : {"L", "R"}) {
        const bool fromEp = direction == "R";
        const double aIn = fromEp ? 150 : 100, aOut = fromEp ? 100 : 150;
        const Tangents t = fromEp ? Tangents{l.out, l.in} : l;
        for (const double inDegrees : {30.0, 120.0, 210.0, 300.0}) {
            for (const double side : {1.0, -1.0}) {
                SCOPED_TRACE(direction + " " + std::to_string(inDegrees) + " " + std::to_string(side));
                Files files(testDesign(direction), turningPlacement(inDegrees, side * 60));
                korvane::WorldAlignment w;
                const std::vector<korvane::TablePoint> points = placedPoints(files, w);
                ASSERT_FALSE(points.empty());

                const double in = radians(inDegrees);
                const Xy ip{-41234.5678, 15678.9012};
                const Xy ka1 = along(ip, in, -t.in);
                CurveIntegrator curve(aIn, 200, aOut, radians(60), ka1, in, side);
                EXPECT_NEAR(w.lengthIn, aIn * aIn / 200, 1e-12);
                EXPECT_NEAR(w.lengthOut, aOut * aOut / 200, 1e-12);
                EXPECT_NEAR(points.front().distance, kOrigin - (kBpLeg - t.in), 1e-6);
                EXPECT_NEAR(points[points.size() - 2].distance,
                            kOrigin + curve.curveLength() + kEpLeg - t.out, 1e-6);

                std::size_t stations = 0, normals = 0;
                for (const korvane::TablePoint &p : points) {
                    if (p.kind == korvane::PointKind::Intersection) continue;
                    const double u = p.distance - kOrigin;
                    Xy expected = curve.advanceTo(std::max(0.0, u));
                    if (u < 0) expected = along(ka1, in, u);
                    EXPECT_NEAR(p.at.point.x, expected.x, 1e-6) << p.name << " " << p.label;
                    EXPECT_NEAR(p.at.point.y, expected.y, 1e-6) << p.name << " " << p.label;
                    const double turn = std::remainder(p.at.direction - curve.direction(std::max(0.0, u)),
                                                       2 * std::numbers::pi);
                    EXPECT_NEAR(turn, 0, 1e-9) << p.name;
                    if (p.kind == korvane::PointKind::Station) {
                        EXPECT_NEAR(std::remainder(p.distance, 20), 0, 1e-9);
                        ++stations;
                    }
                    if (p.kind == korvane::PointKind::Normal) ++normals;
                }
                const double bp = kOrigin - (kBpLeg - t.in);
                const double ep = kOrigin + curve.curveLength() + kEpLeg - t.out;
                EXPECT_EQ(stations, std::size_t(std::floor(ep / 20) - std::ceil(bp / 20) + 1));
                EXPECT_EQ(normals, 2u);
            }
        }
    }
}

// Names, order and labels of the table: KA1 at NO.5+12.345, normal lines at
// +30 and +55 from it, the elements of the stated curve (CL 290.68951, arc
// 128.18951, T1 143.19254, T2 170.65512), and the IP last along the first
// tangent.
TEST(WorldAlignment, TableOrderNamesAndLabels) {
    Files files(testDesign(), turningPlacement(30, 60));
    korvane::WorldAlignment w;
    const std::vector<korvane::TablePoint> points = placedPoints(files, w);
    std::vector<std::string> names;
    for (const auto &p : points)
        if (p.kind != korvane::PointKind::Station) names.push_back(p.name + " " + p.label);
    EXPECT_EQ(names, (std::vector<std::string>{"BP NO.-3+15.538", "KA1 NO.5+12.345", "法線 NO.7+2.345",
                                               "KE1 NO.8+2.345", "法線 NO.8+7.345", "KE2 NO.14+10.535",
                                               "KA2 NO.20+3.035", "EP NO.31+12.379", "IP NO.12+15.538"}));
    for (std::size_t i = 1; i + 1 < points.size(); ++i) EXPECT_LT(points[i - 1].distance, points[i].distance);
}

// The drawing's curve, moved by the rigid motion that takes its IP and first
// tangent onto the world's, coincides with the world points: 上 is the turn
// anticlockwise from BP when stations run from the first KA, clockwise when
// they run from the second (the drawing is then read from right to left).
TEST(WorldAlignment, DrawingMovedRigidlyCoincidesWithTheWorld) {
    for (const std::string direction : {"L", "R"}) {
        for (const double side : {1.0, -1.0}) {
            Files files(testDesign(direction), turningPlacement(120, side * 60));
            korvane::WorldAlignment w;
            ASSERT_FALSE(placedPoints(files, w).empty());
            const bool fromEp = direction == "R";
            const korvane::DesignRecord &design = korvane::design;
            EXPECT_EQ(design.angles.iaRadians > 0, (side < 0) != fromEp);

            // Drawing millimetres to world metres: the drawing's IP goes to the
            // world IP, the drawing's running direction to the first direction.
            const korvane::DrawingFrame frame(design);
            const double ipX = design.elements.tangent1 * 1000;
            const double alpha = fromEp ? design.angles.iaRadians + std::numbers::pi : 0;
            const double ref = w.turn.inDirection + alpha;
            const auto toWorld = [&](korvane::Point p) {
                const double dx = (p.x - ipX) / 1000, dy = (p.y - frame.baseY()) / 1000;
                return Xy{w.placement.ip.x + dx * std::cos(ref) + dy * std::sin(ref),
                          w.placement.ip.y + dx * std::sin(ref) - dy * std::cos(ref)};
            };
            const double total = w.curveLength();
            const auto world = [&](double u) { return w.at(fromEp ? total - u : u).point; };
            const auto expectSame = [](Xy a, korvane::WorldPoint b) {
                EXPECT_NEAR(a.x, b.x, 1e-6);
                EXPECT_NEAR(a.y, b.y, 1e-6);
            };
            expectSame(toWorld({0, frame.baseY()}), world(0));
            expectSame(toWorld(frame.secondKa()), world(total));
            for (const double s : {10.0, 25.0, 50.0})
                expectSame(toWorld(frame.firstCentrePoint(s)), world(s));
            for (const double v : {10.0, 80.0, 112.5})
                expectSame(toWorld(frame.secondFrameToDrawing(frame.secondCentrePoint(v))), world(total - v));
        }
    }
}

// The exported table in cp932 (default) and in UTF-8 after a byte-order mark.
// BP heads east from the origin and the line turns 60° left: BP is 500 m
// − T1 before KA1, the IP 255.53754 m along the first tangent. Every full
// station is labelled by its own number: NO.-12+0.000 at −240 m, which
// measured from the KA at 112.345 m rounds to NO.-13+20.000.
TEST(WorldExports, CoordinateTableBytes) {
    const double root3 = std::sqrt(3.0);
    Files files(testDesign(), placementText({0, 0}, {0, 500}, {200 * root3, 700}));
    const std::string cp932 = files.dir.file("table.csv");
    const std::string utf8 = files.dir.file("table-utf8.csv");
    ASSERT_EQ(korvane_coordinate_table(files.parameters.c_str(), files.placement.c_str(), cp932.c_str(), 0), 1);
    ASSERT_EQ(korvane_coordinate_table(files.parameters.c_str(), files.placement.c_str(), utf8.c_str(), 1), 1);
    const std::string a = readBytes(cp932), b = readBytes(utf8);
    // 点名,測点,追加距離,X,Y,方向角 in cp932; rows end in CR LF on every platform.
    EXPECT_EQ(a.substr(0, 31), "\x93\x5f\x96\xbc,\x91\xaa\x93\x5f,\x92\xc7\x89\xc1\x8b\x97\x97\xa3,X,Y,"
                               "\x95\xfb\x8c\xfc\x8a\x70\r\n");
    EXPECT_EQ(b.substr(0, 45), "\xEF\xBB\xBF点名,測点,追加距離,X,Y,方向角\r\n");
    EXPECT_EQ(b.substr(45, 60), "BP,NO.-13+15.538,-244.4625,0.0000,0.0000,090°00′00.0″\r\n");
    EXPECT_EQ(b.substr(b.size() - 62), "\r\nIP,NO.12+15.538,255.5375,0.0000,500.0000,030°00′00.0″\r\n");
    EXPECT_EQ(a.substr(a.size() - 60), "\r\nIP,NO.12+15.538,255.5375,0.0000,500.0000,030\x81\x8b" "00\x81\x8c"
                                       "00.0\x81\x8d\r\n");
    std::size_t stations = 0;
    for (std::size_t at = b.find("\r\nNO."); at != std::string::npos; at = b.find("\r\nNO.", at + 2), ++stations) {
        const std::size_t comma = b.find(',', at);
        const std::string name = b.substr(at + 2, comma - at - 2);
        EXPECT_EQ(b.substr(comma + 1, name.size() + 7), name + "+0.000,");
    }
    EXPECT_EQ(stations, 44u); // NO.-12 … NO.31, EP at 632.379 m
}

// The J-LandXML: the five elements share their end points exactly; the
// spirals are A²/R long and turn the way the line turns.
TEST(WorldExports, LandXmlElementsShareEndPoints) {
    Files files(testDesign(), turningPlacement(210, 60));
    korvane::WorldAlignment w;
    const std::vector<korvane::TablePoint> points = placedPoints(files, w);
    const std::string xml = korvane::landXmlText(w, points, std::tm{});
    const std::regex element("<(Line|Spiral|Curve) ([^>]*)><Start>([^<]*)</Start>.*?<End>([^<]*)</End>");
    std::vector<std::string> kinds;
    std::string previousEnd;
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), element); it != std::sregex_iterator(); ++it) {
        kinds.push_back((*it)[1]);
        if (!previousEnd.empty()) {
            EXPECT_EQ((*it)[3].str(), previousEnd);
        }
        previousEnd = (*it)[4];
        if ((*it)[1] == "Spiral") {
            EXPECT_NE((*it)[2].str().find("rot=\"cw\""), std::string::npos);
        }
    }
    EXPECT_EQ(kinds, (std::vector<std::string>{"Line", "Spiral", "Curve", "Spiral", "Line"}));
    EXPECT_NE(xml.find("<Spiral length=\"50.000000\" radiusStart=\"INF\" radiusEnd=\"200.000000\""),
              std::string::npos);
    EXPECT_NE(xml.find("<Spiral length=\"112.500000\" radiusStart=\"200.000000\" radiusEnd=\"INF\""),
              std::string::npos);
    EXPECT_NE(xml.find("horizontalDatum=\"JGD2011\" horizontalCoordinateSystemName=\"9(X,Y)\""), std::string::npos);
    EXPECT_NE(xml.find("<Alignment name=\"国道1号\""), std::string::npos);

    // Each clothoid's PI lies on the tangents at both of its ends; the centre
    // is R from both ends of the arc.
    const auto across = [](korvane::WorldPoint from, korvane::WorldPoint to, double direction) {
        return (to.x - from.x) * std::sin(direction) - (to.y - from.y) * std::cos(direction);
    };
    const double ke1 = w.at(w.lengthIn).direction, ke2 = w.at(w.lengthIn + w.arcLength).direction;
    EXPECT_NEAR(across(w.ka1, w.piIn, w.turn.inDirection), 0, 1e-9);
    EXPECT_NEAR(across(w.ke1, w.piIn, ke1), 0, 1e-9);
    EXPECT_NEAR(across(w.ka2, w.piOut, w.turn.outDirection), 0, 1e-9);
    EXPECT_NEAR(across(w.ke2, w.piOut, ke2), 0, 1e-9);
    EXPECT_NEAR(std::hypot(w.centre.x - w.ke1.x, w.centre.y - w.ke1.y), 200, 1e-9);
    EXPECT_NEAR(std::hypot(w.centre.x - w.ke2.x, w.centre.y - w.ke2.y), 200, 1e-9);
}
