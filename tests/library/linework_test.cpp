// The linework of the curve: the stepping rule, widening, and the geometry of
// whole drawings checked against values computed here and the curve elements
// of the asymmetric example (A1 = 100, A2 = 150, R = 200, IA = ±60°).
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "drawing/clothoid_stepping.h"
#include "drawing/drawing_frame.h"
#include "drawing/lane_points.h"
#include "drawing_support.h"
#include "params/design_record.h"
#include "test_support.h"

using drawing_support::Design;
using drawing_support::distance;
using drawing_support::drawDesign;
using drawing_support::Entity;
using drawing_support::Polyline;
using drawing_support::DrawingRun;
using drawing_support::Xy;
using testing_support::TempDir;

namespace {

using Steps = std::vector<std::pair<double, int>>;

Steps steps(double length, double pitch, std::vector<double> normals) {
    normals.resize(korvane::kIntervalCapacity, 0.0);
    Steps out;
    korvane::stepAlongClothoid(length, pitch, normals.data(),
                               [&](double s, int k) { out.emplace_back(s, k); });
    return out;
}

} // namespace

TEST(ClothoidStepping, VerticesEveryPitchCountedAnewFromNormalsAndLastAtKe) {
    // Pitch equal to the length: one segment from KA to KE.
    EXPECT_EQ(steps(12, 12, {}), (Steps{{12, -1}}));
    // Pitch 5 on 12: 5, 10 and KE.
    EXPECT_EQ(steps(12, 5, {}), (Steps{{5, -1}, {10, -1}, {12, -1}}));
    // A normal at 3: the pitch counts again from it.
    EXPECT_EQ(steps(20, 5, {3}), (Steps{{3, 0}, {8, -1}, {13, -1}, {18, -1}, {20, -1}}));
    // A normal exactly at KE is taken there.
    EXPECT_EQ(steps(12, 5, {12}), (Steps{{5, -1}, {10, -1}, {12, 0}}));
    // At most one normal per step; each becomes a vertex.
    EXPECT_EQ(steps(12, 5, {1, 2, 11}),
              (Steps{{1, 0}, {2, 1}, {7, -1}, {11, 2}, {12, -1}}));
}

TEST(ClothoidStepping, PitchGreaterThanLengthDrawsOneSegmentToKe) {
    EXPECT_EQ(steps(12, 15, {}), (Steps{{12, -1}}));
    EXPECT_EQ(steps(12, 15, {4}), (Steps{{4, 0}, {12, -1}}));
    // A clothoid too short to measure still gets its vertex at KE.
    EXPECT_EQ(steps(0, 0.1, {}), (Steps{{0, -1}}));
}

TEST(ClothoidStepping, SmallPitchEndsExactlyAtKe) {
    const Steps s = steps(30.625, 0.1, {});
    ASSERT_FALSE(s.empty());
    EXPECT_EQ(s.back().first, 30.625);
    EXPECT_NEAR(double(s.size()), 307, 1);
    for (std::size_t i = 1; i < s.size(); ++i) EXPECT_GT(s[i].first, s[i - 1].first);
}

TEST(LanePoints, WideningByMethod) {
    const double radius = 200;
    const double a = 100; // length 50
    for (double amount : {0.5, 2.0}) {
        EXPECT_DOUBLE_EQ(korvane::wideningAmount(radius, a, 25, 1, amount), 0.5 * amount);
        EXPECT_DOUBLE_EQ(korvane::wideningAmount(radius, a, 25, 2, amount), 0.3125 * amount);
        EXPECT_DOUBLE_EQ(korvane::wideningAmount(radius, a, 50, 1, amount), amount);
        EXPECT_DOUBLE_EQ(korvane::wideningAmount(radius, a, 50, 2, amount), amount);
        EXPECT_EQ(korvane::wideningAmount(radius, a, 0, 2, amount), 0);
        EXPECT_EQ(korvane::wideningAmount(radius, a, 50, 0, amount), 0);
        EXPECT_EQ(korvane::wideningAmount(radius, a, 50, 3, amount), 0);
    }
}

TEST(LanePoints, SecondFrameMapsItsKaOntoTheSecondKa) {
    korvane::DesignRecord d{};
    d.scale = 250;
    d.angles.iaRadians = 1.0471975512;
    d.elements.tangent1 = 143.19254;
    d.elements.tangent2 = 170.65512;
    const korvane::DrawingFrame frame(d);
    const korvane::Point ka = frame.secondFrameToDrawing({0, 297 * 250.0});
    EXPECT_NEAR(ka.x, 143192.54 + 170655.12 * 0.5, 1e-6);
    EXPECT_NEAR(ka.y, 74250 + 170655.12 * std::sqrt(3.0) / 2, 1e-6);
    // One metre along −x of the frame leads from the second KA towards IP.
    const korvane::Point p = frame.secondFrameToDrawing({-1000, 297 * 250.0});
    EXPECT_NEAR(p.x - ka.x, -500, 1e-6);
    EXPECT_NEAR(p.y - ka.y, -1000 * std::sqrt(3.0) / 2, 1e-6);
}

// ---------------------------------------------------------------------------
// Whole drawings.

namespace {

constexpr double kBaseY = 297 * 250.0;
constexpr double kR = 200000; // radius in drawing units

// Curve elements of the asymmetric example, in metres.
constexpr double kX1 = 49.92193, kY1 = 2.08101;
constexpr double kTangent1 = 143.19254, kTangent2 = 170.65512;

struct ArcGeometry {
    Xy centre;
    double radius;
    Xy start;
    Xy end;
};

ArcGeometry arcOf(const Entity &e) {
    const double k = 3.14159265358979323846 / 180;
    const Xy c{e.real(10), e.real(20)};
    const double r = e.real(40);
    return {c, r, {c.x + r * std::cos(e.real(50) * k), c.y + r * std::sin(e.real(50) * k)},
            {c.x + r * std::cos(e.real(51) * k), c.y + r * std::sin(e.real(51) * k)}};
}

Xy unit(Xy a, Xy b) {
    const double n = distance(a, b);
    return {(b.x - a.x) / n, (b.y - a.y) / n};
}

Design asymmetric(const std::string &ia) {
    Design d;
    d.ia = ia;
    d.centerPitch = "0.1";
    d.right = {{3.5, 1, 0.5}, {3.5, 2, 1.0}};
    d.left = {{3.0, 0, 0.7}, {2.0, 2, 0.5}};
    d.intervals = "10 20 100 100"; // 10, 30 on the first clothoid, 130 on the arc, 230 on the second
    return d;
}

// Checks every normal line of a drawing: 20000 long, its middle on the centre
// line (a vertex of a centre polyline or the centre arc), square to it.
void checkNormals(const DrawingRun &run, std::size_t tangentLines) {
    const auto lines = run.drawing.ofType("LINE");
    const auto arcs = run.drawing.ofType("ARC");
    std::vector<const Polyline *> centres;
    for (const auto &p : run.drawing.polylines)
        if (p.layer == "D-BMK") centres.push_back(&p);
    ASSERT_GE(lines.size(), tangentLines);
    for (std::size_t i = 0; i + tangentLines < lines.size(); ++i) {
        const Entity &l = *lines[i];
        const Xy a{l.real(10), l.real(20)}, b{l.real(11), l.real(21)};
        EXPECT_NEAR(distance(a, b), 20000, 1e-5) << "normal " << i;
        const Xy m{(a.x + b.x) / 2, (a.y + b.y) / 2};
        const Xy n = unit(a, b);

        // The local tangent: the chords around the vertex at the middle.
        bool found = false;
        for (const Polyline *p : centres) {
            const auto &v = p->vertices;
            for (std::size_t j = 0; j < v.size() && !found; ++j) {
                if (distance(v[j], m) > 0.01) continue;
                found = true;
                const Xy t = unit(v[j == 0 ? 0 : j - 1], v[j + 1 < v.size() ? j + 1 : j]);
                EXPECT_NEAR(n.x * t.x + n.y * t.y, 0, 1e-3) << "normal " << i;
            }
        }
        if (!found && !arcs.empty()) {
            // On the arc: along the radius.
            const ArcGeometry arc = arcOf(*arcs[0]);
            EXPECT_NEAR(distance(arc.centre, m), arc.radius, 0.01) << "normal " << i;
            const Xy r = unit(arc.centre, m);
            EXPECT_NEAR(n.x * r.y - n.y * r.x, 0, 1e-6) << "normal " << i;
            found = true;
        }
        EXPECT_TRUE(found) << "normal " << i << " at " << m.x << ", " << m.y;
    }
}

void checkAsymmetric(double sign) {
    TempDir dir;
    const DrawingRun run = drawDesign(asymmetric(sign > 0 ? "60 0 0" : "-60 0 0").parameterText(), dir);
    ASSERT_EQ(run.result, 1);
    const auto &p = run.drawing.polylines;
    ASSERT_EQ(p.size(), 10u);
    const Polyline &centre1 = p[0], &centre2 = p[5];
    ASSERT_EQ(centre1.layer, "D-BMK");
    ASSERT_EQ(centre2.layer, "D-BMK");

    // First KA and first KE of the centre line.
    EXPECT_NEAR(centre1.vertices.front().x, 0, 1e-9);
    EXPECT_NEAR(centre1.vertices.front().y, kBaseY, 1e-9);
    EXPECT_NEAR(centre1.vertices.back().x, kX1 * 1000, 0.02);
    EXPECT_NEAR(centre1.vertices.back().y, kBaseY + sign * kY1 * 1000, 0.02);

    // The centre arc joins the first KE and the second KE, counter-clockwise:
    // from the first KE for a left turn, from the second KE for a right turn.
    const auto arcs = run.drawing.ofType("ARC");
    ASSERT_EQ(arcs.size(), 5u);
    const ArcGeometry arc = arcOf(*arcs[0]);
    EXPECT_EQ(arcs[0]->layer(), "D-BMK");
    EXPECT_NEAR(arc.radius, kR, 1e-6);
    const Xy ke1 = centre1.vertices.back(), ke2 = centre2.vertices.back();
    const Xy from = sign > 0 ? ke1 : ke2, to = sign > 0 ? ke2 : ke1;
    EXPECT_NEAR(arc.start.x, from.x, 0.02);
    EXPECT_NEAR(arc.start.y, from.y, 0.02);
    EXPECT_NEAR(arc.end.x, to.x, 0.02);
    EXPECT_NEAR(arc.end.y, to.y, 0.02);

    // Tangents: first KA to IP along the first tangent, second KA to IP at
    // the angle IA.
    const auto lines = run.drawing.ofType("LINE");
    const Entity &t1 = *lines[lines.size() - 2], &t2 = *lines.back();
    const Xy ip{kTangent1 * 1000, kBaseY};
    EXPECT_NEAR(t1.real(10), 0, 1e-9);
    EXPECT_NEAR(t1.real(20), kBaseY, 1e-9);
    EXPECT_NEAR(t1.real(11), ip.x, 0.02);
    EXPECT_NEAR(t1.real(21), ip.y, 1e-9);
    const Xy ka2{t2.real(10), t2.real(20)};
    EXPECT_NEAR(ka2.x, centre2.vertices.front().x, 1e-5);
    EXPECT_NEAR(ka2.y, centre2.vertices.front().y, 1e-5);
    EXPECT_NEAR(t2.real(11), ip.x, 0.02);
    EXPECT_NEAR(t2.real(21), ip.y, 1e-9);
    EXPECT_NEAR(distance(ka2, ip), kTangent2 * 1000, 0.02);
    const Xy ipDrawn{t2.real(11), t2.real(21)};
    EXPECT_NEAR(std::atan2(ka2.y - ipDrawn.y, ka2.x - ipDrawn.x), sign * 3.14159265358979 / 3, 1e-9);
    // The second centre line leaves its KA towards IP.
    const Xy along = unit(centre2.vertices[0], centre2.vertices[1]);
    const Xy towardsIp = unit(ka2, ip);
    EXPECT_NEAR(along.x * towardsIp.x + along.y * towardsIp.y, 1, 1e-6);

    // Lane lines end on their own lane arcs. Left (positive offset) lines are
    // inside for a left turn.
    struct Lane {
        double offset; // signed, left positive, metres
        double full;   // with the whole widening
    };
    const Lane lanes[] = {{3.0, 3.0}, {5.0, 5.5}, {-3.5, -4.0}, {-7.0, -8.0}};
    for (int i = 0; i < 4; ++i) {
        const double expected = kR - sign * lanes[i].full * 1000;
        for (const Polyline *lane : {&p[1 + i], &p[6 + i]}) {
            EXPECT_EQ(lane->layer, "D-STR");
            EXPECT_NEAR(distance(arc.centre, lane->vertices.back()), expected, 0.02) << "lane " << i;
        }
        // Its lane arc.
        bool arcFound = false;
        for (std::size_t a = 1; a < arcs.size(); ++a)
            arcFound = arcFound || std::fabs(arcs[a]->real(40) - expected) < 1e-6;
        EXPECT_TRUE(arcFound) << "lane " << i;
        // It starts on the normal of the KA at its own offset.
        EXPECT_NEAR(p[1 + i].vertices.front().x, 0, 1e-9);
        EXPECT_NEAR(p[1 + i].vertices.front().y, kBaseY + lanes[i].offset * 1000, 1e-6);
        EXPECT_NEAR(distance(p[6 + i].vertices.front(), ka2), std::fabs(lanes[i].offset) * 1000, 1e-5);
        EXPECT_EQ(p[1 + i].vertices.size(), centre1.vertices.size());
        EXPECT_EQ(p[6 + i].vertices.size(), centre2.vertices.size());
    }
    // Inside lane arcs first, then the outside ones.
    EXPECT_NEAR(arcs[1]->real(40), kR - 3000 * (sign > 0 ? 1 : 4.0 / 3), 1e-6);

    checkNormals(run, 2);
}

} // namespace

TEST(Linework, LeftTurnGeometry) { checkAsymmetric(1); }

TEST(Linework, RightTurnGeometry) { checkAsymmetric(-1); }

TEST(Linework, WideningMethodsAlongTheCurve) {
    TempDir dir;
    Design d;
    // Offsets 3, 4, 5, 6 on the right (outside of a left turn), each widened by 0.5.
    d.right = {{3, 0, 0.5}, {1, 1, 0.5}, {1, 2, 0.5}, {1, 3, 0.5}};
    const DrawingRun run = drawDesign(d.parameterText(), dir);
    ASSERT_EQ(run.result, 1);
    const auto &p = run.drawing.polylines;
    ASSERT_EQ(p.size(), 10u);
    const ArcGeometry arc = arcOf(*run.drawing.ofType("ARC")[0]);

    // Halfway along the first clothoid (vertex 25 of 50 at a pitch of 1) and
    // at its KE: the distance from the centre line.
    const double half[] = {3, 4.25, 5.15625, 6};
    const double atKe[] = {3, 4.5, 5.5, 6};
    for (int i = 0; i < 4; ++i) {
        ASSERT_EQ(p[1 + i].vertices.size(), 51u);
        EXPECT_NEAR(distance(p[0].vertices[25], p[1 + i].vertices[25]), half[i] * 1000, 1e-4)
            << "method " << i;
        EXPECT_NEAR(distance(arc.centre, p[1 + i].vertices.back()), kR + atKe[i] * 1000, 0.02)
            << "method " << i;
    }
    // On the arc every method but 0 has its whole amount, method 3 included.
    const auto arcs = run.drawing.ofType("ARC");
    ASSERT_EQ(arcs.size(), 5u);
    const double onArc[] = {3, 4.5, 5.5, 6.5};
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(arcs[1 + i]->real(40), kR + onArc[i] * 1000, 1e-6);
}

TEST(Linework, StationsFromTheRight) {
    TempDir dir;
    Design d;
    d.direction = "R";
    d.centerPitch = "0.1";
    d.right = {{3, 0, 0}};
    d.intervals = "10 20"; // 10 and 30 from the second KA, both on the second clothoid
    const DrawingRun run = drawDesign(d.parameterText(), dir);
    ASSERT_EQ(run.result, 1);

    std::vector<std::string> labels;
    for (const auto *t : run.drawing.ofType("TEXT")) labels.push_back(t->text(1));
    labels.resize(6);
    EXPECT_EQ(labels, (std::vector<std::string>{"K.A.", "K.E.", "K.A.", "NO.6+2.345", "NO.7+2.345",
                                                "K.E."}));
    // The first "K.A." stands to the left of the travel, turned by 90°.
    const Entity &ka = *run.drawing.ofType("TEXT")[0];
    EXPECT_NEAR(ka.real(10), -250, 1e-9);
    EXPECT_NEAR(ka.real(20), kBaseY + 250, 1e-9);
    EXPECT_NEAR(ka.real(50), 90, 1e-5);

    // The normals stand on the second centre line 10 m and 30 m from its KA.
    const Polyline &centre2 = run.drawing.polylines[2];
    const auto lines = run.drawing.ofType("LINE");
    ASSERT_EQ(lines.size(), 2u + 4u + 2u);
    for (int n = 0; n < 2; ++n) {
        const Entity &l = *lines[3 + n];
        const Xy m{(l.real(10) + l.real(11)) / 2, (l.real(20) + l.real(21)) / 2};
        double along = 0;
        bool found = false;
        for (std::size_t j = 1; j < centre2.vertices.size() && !found; ++j) {
            along += distance(centre2.vertices[j - 1], centre2.vertices[j]);
            found = distance(centre2.vertices[j], m) < 0.01;
        }
        EXPECT_TRUE(found);
        EXPECT_NEAR(along, (n == 0 ? 10000 : 30000), 1);
    }
    checkNormals(run, 2);
}

TEST(Linework, PitchLongerThanAClothoidDrawsItAsOneSegment) {
    TempDir dir;
    Design d;
    d.centerPitch = "60"; // first clothoid 50 long, second 112.5
    d.left = {{3, 1, 0.5}};
    d.intervals = "10";
    const DrawingRun run = drawDesign(d.parameterText(), dir);
    ASSERT_EQ(run.result, 1);
    const auto &p = run.drawing.polylines;
    ASSERT_EQ(p.size(), 4u);
    ASSERT_EQ(p[0].vertices.size(), 3u); // KA, the normal at 10, KE
    ASSERT_EQ(p[1].vertices.size(), 3u);
    EXPECT_NEAR(p[0].vertices.back().x, kX1 * 1000, 0.02);
    EXPECT_NEAR(p[0].vertices.back().y, kBaseY + kY1 * 1000, 0.02);
    EXPECT_EQ(p[2].vertices.size(), 3u); // KA, 60, KE
    const ArcGeometry arc = arcOf(*run.drawing.ofType("ARC")[0]);
    EXPECT_NEAR(arc.start.x, p[0].vertices.back().x, 0.02);
    EXPECT_NEAR(arc.end.y, p[2].vertices.back().y, 0.02);
    EXPECT_NEAR(distance(arc.centre, p[1].vertices.back()), kR - 3500, 0.02);
}

TEST(Linework, TwentyLaneLinesOnASideAreAllDrawn) {
    TempDir dir;
    {
        // An earlier design with one lane line per side.
        Design earlier;
        earlier.right = {{3, 0, 0}};
        earlier.left = {{3, 0, 0}};
        ASSERT_EQ(drawDesign(earlier.parameterText(), dir).result, 1);
    }
    Design d;
    d.right.assign(20, {0.5, 1, 0.25});
    d.rightWidthsEnded = false; // 20 widths leave no room for the end mark
    const DrawingRun run = drawDesign(d.parameterText(), dir);
    ASSERT_EQ(run.result, 1);
    const auto &p = run.drawing.polylines;
    ASSERT_EQ(p.size(), 2u * 21u);
    // The outermost line, 10 m out and widened by 0.25, ends on its arc on
    // the outside of the left turn.
    const ArcGeometry arc = arcOf(*run.drawing.ofType("ARC")[0]);
    EXPECT_NEAR(distance(arc.centre, p[20].vertices.back()), kR + 10250, 0.02);
    EXPECT_EQ(run.drawing.ofType("ARC").size(), 21u);
    EXPECT_NEAR(run.drawing.ofType("ARC").back()->real(40), kR + 10250, 1e-6);
}
