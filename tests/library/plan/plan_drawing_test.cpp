// The plan drawing (平面図) of a route, read back from the file the export
// writes: the centre line against the route's line (every point of every
// entity within a millimetre, no gap from BP to EP), a tick and a label at
// every full station, the exact records of a route computed by hand, and
// the chord rule of the clothoids against an independent integration.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

#include "drawing_support.h"
#include "korvane.h"
#include "plan/centre_line.h"
#include "route/alignment.h"
#include "route/route_input.h"
#include "route/route_support.h"
#include "test_support.h"

using drawing_support::Entity;
using drawing_support::Xy;
using korvane::route::PlanePoint;

namespace {

constexpr double kMillimetre = 0.001;

// The worked route of the documentation: a basic curve, an S joint into a
// second basic curve, an egg curve.
const std::string kWorked = "点名,X,Y,A1,R,A2,R2,AM,LC\n"
                            "BP,-5000.000000,12000.000000,,,,,,\n"
                            "IP1,-4903.236530,12167.599247,110,200,110,,,\n"
                            "IP2,-4921.873233,12380.617742,120,250,130,,,\n"
                            "IP3,-4711.182446,12681.515369,130,300,100,150,120,30\n"
                            "EP,-4838.811303,12902.575034,,,,,,\n";

// BP, a simple curve R = 50 turning right by 90° at IP1 (TL = 50, the arc
// 25π long), EP: heading north, then east.
const std::string kCorner = "点名,X,Y,R\nBP,0,0,\nIP1,100,0,50\nEP,100,100,\n";

struct Plan {
    int result = 0;
    std::string content;
    drawing_support::Drawing drawing;
    korvane::route::LoadedRoute route;
    std::vector<std::string> messages;
};

Plan drawPlan(const std::string &csv, int scale) {
    testing_support::TempDir dir;
    testing_support::MessageRecorder recorder;
    const std::string input = dir.file("ips.csv"), output = dir.file("plan.dxf");
    testing_support::writeFile(input, csv);
    Plan plan;
    plan.result = korvane_route_plan(input.c_str(), nullptr, output.c_str(), drawing_support::templatePath().c_str(),
                                     scale);
    plan.content = testing_support::readFile(output);
    plan.drawing = drawing_support::readDrawing(plan.content);
    plan.route = korvane::route::loadRoute(input.c_str());
    plan.messages = recorder.utf8();
    return plan;
}

PlanePoint world(Xy p) { return PlanePoint{p.y / 1000, p.x / 1000}; }
Xy drawn(PlanePoint p) { return Xy{p.y * 1000, p.x * 1000}; }

Xy onArc(const Entity &arc, double degrees) {
    const double r = degrees * std::numbers::pi / 180;
    return Xy{arc.real(10) + arc.real(40) * std::cos(r), arc.real(20) + arc.real(40) * std::sin(r)};
}

// An element of the centre line as the file has it: its two ends and points
// along it (an ARC counter-clockwise from group 50 to 51, a POLYLINE chord by
// chord).
struct Element {
    Xy first, last;
    std::vector<Xy> points;
};

std::vector<Element> centreElements(const drawing_support::Drawing &d) {
    std::vector<Element> out;
    std::size_t polyline = 0;
    for (const Entity &e : d.entities) {
        if (e.layer() != "D-BMK" || e.type == "VERTEX" || e.type == "SEQEND") continue;
        Element element;
        if (e.type == "LINE") {
            const Xy a{e.real(10), e.real(20)}, b{e.real(11), e.real(21)};
            for (int i = 0; i <= 64; ++i)
                element.points.push_back(Xy{a.x + (b.x - a.x) * i / 64, a.y + (b.y - a.y) * i / 64});
        } else if (e.type == "ARC") {
            const double span = std::fmod(e.real(51) - e.real(50) + 360, 360);
            for (int i = 0; i <= 256; ++i) element.points.push_back(onArc(e, e.real(50) + span * i / 256));
        } else if (e.type == "POLYLINE") {
            const std::vector<Xy> &v = d.polylines.at(polyline++).vertices;
            for (std::size_t i = 0; i + 1 < v.size(); ++i)
                for (int k = 0; k < 8; ++k)
                    element.points.push_back(Xy{v[i].x + (v[i + 1].x - v[i].x) * k / 8, v[i].y + (v[i + 1].y - v[i].y) * k / 8});
            if (!v.empty()) element.points.push_back(v.back());
        } else {
            ADD_FAILURE() << e.type << " on D-BMK";
            continue;
        }
        element.first = element.points.front();
        element.last = element.points.back();
        out.push_back(element);
    }
    return out;
}

} // namespace

// Every point of every entity on D-BMK lies within a millimetre of the
// route's line, the elements follow one another from BP to EP without a gap,
// and nothing else is on the layer.
TEST(PlanDrawing, TheCentreLineFollowsTheRouteFromBpToEp) {
    const Plan plan = drawPlan(kWorked, 1000);
    ASSERT_EQ(plan.result, 1) << testing::PrintToString(plan.messages);
    const korvane::route::Alignment &line = plan.route.alignment;
    const std::vector<Element> elements = centreElements(plan.drawing);
    ASSERT_EQ(elements.size(), line.segments.size());

    double deviation = 0;
    for (const Element &e : elements)
        for (const Xy p : e.points) {
            const korvane::route::Projection foot = korvane::route::project(line, world(p));
            deviation = std::max(deviation, korvane::route::distanceBetween(foot.foot, world(p)));
        }
    EXPECT_LE(deviation, kMillimetre);

    // Each element starts where the one before ended (an ARC may run backwards).
    Xy at = drawn(korvane::route::poseAt(line, 0).point);
    double gap = 0;
    for (const Element &e : elements) {
        const double forwards = drawing_support::distance(e.first, at), backwards = drawing_support::distance(e.last, at);
        gap = std::max(gap, std::min(forwards, backwards));
        at = forwards <= backwards ? e.last : e.first;
    }
    gap = std::max(gap, drawing_support::distance(at, drawn(korvane::route::poseAt(line, line.length()).point)));
    EXPECT_LE(gap, 1.0); // drawing units: millimetres
    std::printf("[ plan ] %zu elements, largest deviation %.6f mm, largest gap %.6f mm\n", elements.size(),
                deviation * 1000, gap);
}

// At every full station (every 20 m from BP at NO.0) a tick square to the
// line is centred on the line, and the station's label stands beside it
// ("NO.n", or a main point's name with "NO.n+0.000" where one stands there).
TEST(PlanDrawing, EveryFullStationHasItsTickAndLabel) {
    const Plan plan = drawPlan(kWorked, 1000);
    ASSERT_EQ(plan.result, 1);
    const korvane::route::Alignment &line = plan.route.alignment;
    int stations = 0;
    for (int n = 0; 20.0 * n <= line.length(); ++n, ++stations) {
        const korvane::route::Pose pose = korvane::route::poseAt(line, 20.0 * n);
        const Xy p = drawn(pose.point);
        const Xy along{std::sin(pose.direction), std::cos(pose.direction)};
        bool tick = false;
        for (const Entity *e : plan.drawing.ofType("LINE")) {
            if (e->layer() != "D-BMK-HTXT") continue;
            const Xy a{e->real(10), e->real(20)}, b{e->real(11), e->real(21)};
            const double length = drawing_support::distance(a, b);
            const Xy middle{(a.x + b.x) / 2, (a.y + b.y) / 2};
            if (drawing_support::distance(middle, p) <= 1.0 &&
                std::fabs((b.x - a.x) * along.x + (b.y - a.y) * along.y) <= 1e-6 * length)
                tick = true;
        }
        EXPECT_TRUE(tick) << "NO." << n;
        const std::string name = "NO." + std::to_string(n);
        bool label = false;
        for (const Entity *e : plan.drawing.ofType("TEXT")) {
            const std::string text = e->text(1);
            // The end of the text near the line: its start, or its justified end.
            const int near = e->value(72) ? 11 : 10;
            const Xy at{e->real(near), e->real(near + 10)};
            if ((text == name || text.ends_with(" " + name + "+0.000")) && drawing_support::distance(at, p) < 3000)
                label = true;
        }
        EXPECT_TRUE(label) << name;
    }
    EXPECT_EQ(stations, 50);
}

// The corner route drawn at 1/500, computed by hand: the line-type scale,
// the records of the centre line and the IP polygon, a station's tick and
// label, a main point's label turned to read from below, and every text of
// the drawing in order.
TEST(PlanDrawing, RecordsOfARouteComputedByHand) {
    const Plan plan = drawPlan(kCorner, 500);
    ASSERT_EQ(plan.result, 1);
    const std::string &c = plan.content;
    for (const char *record : {
             "\n9\n$LTSCALE\n40\n500.000000\n",
             // BP–BC1 north along x = 0, the arc about (50 m, 50 m) clockwise
             // from BC1 (180°) to EC1 (90°), EC1–EP east.
             "0\nLINE\n8\nD-BMK\n10\n0.000000\n20\n0.000000\n11\n0.000000\n21\n50000.000000\n",
             "0\nARC\n8\nD-BMK\n10\n50000.000000\n20\n50000.000000\n40\n50000.000000\n50\n90.000000\n51\n180.000000\n",
             "0\nLINE\n8\nD-BMK\n10\n50000.000000\n20\n100000.000000\n11\n100000.000000\n21\n100000.000000\n",
             "0\nLINE\n8\nD-BMK-IP\n10\n0.000000\n20\n0.000000\n11\n0.000000\n21\n100000.000000\n",
             "0\nLINE\n8\nD-BMK-IP\n10\n0.000000\n20\n100000.000000\n11\n100000.000000\n21\n100000.000000\n",
             // NO.1: a tick of 1 mm each side on paper, its label 1.5 mm (750) high
             // to the right (east), one scale off the line and one ahead.
             "0\nLINE\n8\nD-BMK-HTXT\n10\n-500.000000\n20\n20000.000000\n11\n500.000000\n21\n20000.000000\n",
             "0\nTEXT\n8\nD-BMK-HTXT\n10\n500.000000\n20\n20500.000000\n40\n750.000000\n41\n1\n50\n0.000000\n1\nNO.1\n",
             // BC1 to the left (west) would read upside down: turned, its end
             // one scale off the line, its start 15 bytes of 375 before.
             "0\nTEXT\n8\nD-BMK-HTXT\n10\n-6125.000000\n20\n50500.000000\n40\n750.000000\n41\n1\n50\n0.000000\n1\n"
             "BC1 NO.2+10.000\n72\n2\n11\n-500.000000\n21\n50500.000000\n"})
        EXPECT_NE(c.find(record), std::string::npos) << record;

    std::vector<std::string> texts;
    for (const Entity *e : plan.drawing.ofType("TEXT")) texts.push_back(korvane::cp932ToUtf8(e->text(1)));
    const std::vector<std::string> expected{"IP1", "IA = 90°00′00.0″ 右", "R = 50.000", "TL1 = 50.000",
                                            "TL2 = 50.000", "CL = 78.540", "BP NO.0+0.000", "NO.1", "NO.2",
                                            "BC1 NO.2+10.000", "NO.3", "NO.4", "NO.5", "NO.6", "EC1 NO.6+8.540",
                                            "NO.7", "NO.8", "EP NO.8+18.540"};
    EXPECT_EQ(texts, expected);
    // The table outside the bend (north-west of IP1), its nearest corner
    // 2 mm on paper (1 m) from IP1 along the bisector: six lines 1250 apart,
    // justified on their right ends, the first base line at
    // 100000 + 707.107 + 5 × 1250 + 750 − 750.
    EXPECT_NE(c.find("0\nTEXT\n8\nD-BMK-HTXT\n10\n-1832.106781\n20\n106957.106781\n40\n750.000000\n41\n1\n50\n"
                     "0.000000\n1\nIP1\n72\n2\n11\n-707.106781\n21\n106957.106781\n"),
              std::string::npos);
}

// The chords of a clothoid stay within 1 mm of the curve as an independent
// integration traces it, and are not many more than that needs (the largest
// distance at least a fifth of a millimetre): clothoids leaving and reaching
// an arc to either side, an egg curve's clothoid between two arcs, and a
// short one whose chord count is just below a whole number.
TEST(PlanDrawing, ClothoidChordsStayWithinAMillimetre) {
    using korvane::route::clothoidSegment;
    const double short1 = 3.999 / std::sqrt(0.01 / (8 * 0.001)); // ⌈L·√(κ/8 mm)⌉ = 4
    const struct {
        double k0, k1, length;
    } cases[] = {{0, 1.0 / 200, 60.5}, {-1.0 / 150, 0, 66.666667}, {1.0 / 300, 1.0 / 150, 48},
                 {0, -1.0 / 30, 30}, {0, 1.0 / 100, short1}};
    for (const auto &k : cases) {
        const korvane::route::Segment s = clothoidSegment(PlanePoint{-5000, 12000}, 1.0, k.k0, k.k1, k.length);
        const std::vector<korvane::plan::CentrePiece> pieces =
            korvane::plan::centreLine(korvane::route::makeAlignment({s}));
        ASSERT_EQ(pieces.size(), 1u);
        const std::vector<korvane::Point> &v = pieces[0].points;
        const int n = static_cast<int>(v.size()) - 1;
        const route_support::Integrator curve({-5000, 12000}, 1.0, {{k.length, k.k0, k.k1}});
        double largest = 0;
        for (int i = 0; i < n; ++i) {
            const PlanePoint a = world(Xy{v[i].x, v[i].y}), b = world(Xy{v[i + 1].x, v[i + 1].y});
            const double chord = korvane::route::distanceBetween(a, b);
            for (int j = 0; j <= 16; ++j) {
                const route_support::Xy q = curve.at(k.length * (i + j / 16.0) / n);
                largest = std::max(largest, std::fabs((q.x - a.x) * (b.y - a.y) - (q.y - a.y) * (b.x - a.x)) / chord);
            }
        }
        EXPECT_LE(largest, kMillimetre) << k.k0 << " " << k.k1 << " " << k.length << ": " << n << " chords";
        EXPECT_GE(largest, 0.2 * kMillimetre) << k.k0 << " " << k.k1 << " " << k.length << ": " << n << " chords";
        std::printf("[ plan ] κ %.6f..%.6f over %.3f m: %d chords, largest distance %.4f mm\n", k.k0, k.k1,
                    k.length, n, largest * 1000);
    }
}
