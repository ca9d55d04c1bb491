#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "route/ip_method.h"
#include "route_support.h"

using korvane::route::computeRoute;
using korvane::route::CurveElements;
using korvane::route::IpInput;
using korvane::route::Route;
using route_support::buildRoute;
using route_support::BuiltRoute;
using route_support::CurveSpec;
using route_support::Integrator;
using route_support::Leg;
using route_support::messageTexts;
using route_support::radians;
using route_support::Xy;

namespace {

const Xy kBp{-41234.5678, 15678.9012};

std::vector<std::string> names(const Route &route) {
    std::vector<std::string> out;
    for (const auto &p : route.mainPoints) out.push_back(p.name);
    return out;
}

// Nine curves of every kind, turning both ways: a basic curve meeting an
// asymmetric one in an S joint, a convex curve, an egg curve (large circle
// first) meeting a simple curve directly, a bend point, the two one-sided
// kinds, and an egg curve from the small circle to the large one.
BuiltRoute everyKind() {
    const std::vector<Leg> legs = {{10, 120}, {50, 0},   {15, 80},  {45, 60},  {115, 0},
                                   {135, 50}, {128, 70}, {80, 40},  {100, 90}, {20, 150}};
    const std::vector<CurveSpec> curves = {
        {100, 250, 100},                 // 基本型, right 40°
        {120, 300, 90},                  // 基本型, left 35°, S joint before it
        {80, 0, 110},                    // 凸型, right 30°
        {90, 400, 100, 200, 150, 40},    // 卵型, right 70°
        {0, 500, 0},                     // 単曲線, right 20°, direct joint before it
        {},                              // 折点, left 7°
        {100, 200, 0},                   // クロソイド＋円, left 48°
        {0, 200, 100},                   // 円＋クロソイド, right 20°
        {60, 150, 120, 350, 100, 30},    // 卵型, left 80°
    };
    return buildRoute(kBp, legs, curves);
}

// The largest distance between the route's line and the integrated one, at
// every main point and every 7 m (and the directions there, away from the
// bend point, where the direction changes).
double largestDeviation(const Route &route, const Integrator &exact) {
    double worst = 0;
    const auto check = [&](double s, bool direction) {
        const korvane::route::Pose p = korvane::route::poseAt(route.alignment, s);
        const Xy e = exact.at(s);
        worst = std::max(worst, std::hypot(p.point.x - e.x, p.point.y - e.y));
        if (direction) {
            EXPECT_NEAR(std::remainder(p.direction - exact.direction(s), 2 * std::numbers::pi), 0, 1e-9) << s;
        }
    };
    for (const auto &m : route.mainPoints) check(m.distance, false);
    for (double s = 0; s < route.alignment.length(); s += 7) check(s, true);
    return worst;
}

IpInput point(double x, double y, korvane::route::CurveInput curve = {}) { return IpInput{"", {x, y}, curve}; }

} // namespace

// The elements of one curve against stated values: the drawing's element
// table for A1 = A2 = 100, R = 200, IA = 60° and for A2 = 150 (XM there
// 24.98699 is a rounding slip: the integral gives 24.9869848); the worked
// solution of the surveyor examination (測量士試験 令和4年 午後 No.5 問B,
// 国土地理院; solution at gitenblog.com/sokuryo-shi-2022-5-b): R = 200,
// A = 180, I = 90°, L = 162 m, τ = 0.405 rad, arc 152 m, A–D 476 m (rounded
// to metres there); a convex and an egg curve by hand: R = A/√IA =
// 97.72050 for A = 100, IA = 60°; the egg's AM clothoid 150²·(1/150 − 1/300)
// = 75 m, its second arc 150·(70° − τ1 − 50/300 − τM − τ2) = 60.34290 m.
TEST(RouteIpMethod, CurveElementsMatchStatedValues) {
    using E = CurveElements;
    struct Case {
        CurveSpec curve;
        double ia, tolerance;
        std::vector<std::pair<double E::*, double>> expected;
    };
    const Case cases[] = {
        {{100, 200, 100}, 60, 5e-6,
         {{&E::l1, 50}, {&E::tau1, 0.125}, {&E::x1, 49.92193}, {&E::y1, 2.08101}, {&E::shift1, 0.52054},
          {&E::xm1, 24.98698}, {&E::t1, 140.75757}, {&E::t2, 140.75757}, {&E::lc, 159.43951}, {&E::cl, 259.43951}}},
        {{100, 200, 150}, 60, 5e-6,
         {{&E::l2, 112.5}, {&E::tau2, 0.28125}, {&E::x2, 111.61336}, {&E::y2, 10.48743}, {&E::shift2, 2.62928},
          {&E::xm2, 56.10201}, {&E::t1, 143.19254}, {&E::t2, 170.65512}, {&E::lc, 128.18951}, {&E::cl, 290.68951}}},
        {{180, 200, 180}, 90, 1e-12, {{&E::l1, 162}, {&E::l2, 162}, {&E::tau1, 0.405}}},
        {{180, 200, 180}, 90, 0.5, {{&E::lc, 152}, {&E::cl, 476}}},
        {{100, 0, 100}, 60, 5e-6, {{&E::r, 97.72050}, {&E::l1, 102.33267}, {&E::lc, 0}, {&E::cl, 204.66534}}},
        {{100, 300, 100, 150, 150, 50}, 70, 5e-6,
         {{&E::l1, 33.33333}, {&E::l2, 66.66667}, {&E::lm, 75}, {&E::lc, 50}, {&E::lc2, 60.34290}, {&E::cl, 285.34290}}},
    };
    for (const Case &c : cases) {
        const Route route = computeRoute(buildRoute(kBp, {{30, 500}, {30 + c.ia, 500}}, {c.curve}).input);
        ASSERT_TRUE(route.messages.empty()) << route.messages.front().text;
        for (const auto &[field, expected] : c.expected) EXPECT_NEAR(route.ips[1].curve.*field, expected, c.tolerance);
    }
}

// A route of every kind against its curvature integrated from BP: the legs
// hold the integrated tangent lengths (S and direct joints without a
// straight), so any fault in IA, the kinds, the tangent lengths or the
// placement moves the line. Main points are named as calculation sheets
// name them; where two curves meet the point is listed once.
TEST(RouteIpMethod, EveryKindMatchesTheIntegratedCurvature) {
    const BuiltRoute b = everyKind();
    const Route route = computeRoute(b.input);
    ASSERT_TRUE(route.messages.empty()) << route.messages.front().text;
    const Integrator exact(b.bp, b.bpDirection, b.pieces);
    EXPECT_NEAR(route.alignment.length(), exact.length(), 1e-9);
    EXPECT_LT(largestDeviation(route, exact), 1e-6);
    for (std::size_t i = 1; i + 1 < b.input.size(); ++i) {
        EXPECT_NEAR(route.ips[i].curve.t1, b.tangents[i].t1, 1e-6) << i;
        EXPECT_NEAR(route.ips[i].curve.t2, b.tangents[i].t2, 1e-6) << i;
    }
    const std::vector<std::string> expected = {
        "BP",   "KA1-1", "KE1-1", "KE1-2", "KA1-2=KA2-1", "KE2-1", "KE2-2", "KA2-2", "KA3-1", "KE3",   "KA3-2",
        "KA4-1", "KE4-1", "KEE4", "KAE4",  "KE4-2",       "KA4-2=BC5",      "EC5",   "IP6",   "KA7-1", "KE7-1",
        "EC7",   "BC8",   "KE8-2", "KA8-2", "KA9-1",      "KE9-1", "KEE9",  "KAE9",  "KE9-2", "KA9-2", "EP"};
    EXPECT_EQ(names(route), expected);
    const std::vector<std::string> kinds = {"折点", "基本型", "基本型", "凸型", "卵型", "単曲線",
                                            "折点", "クロソイド＋円", "円＋クロソイド", "卵型", "折点"};
    for (std::size_t i = 0; i < route.ips.size(); ++i)
        EXPECT_EQ(korvane::route::curveKindName(route.ips[i].kind), kinds[i]) << i;
    EXPECT_EQ(route.ips[1].turn, 1);
    EXPECT_EQ(route.ips[2].turn, -1);
    EXPECT_NEAR(route.ips[6].ia, radians(7), 1e-12);
}

// The route entered from EP to BP (A1 and A2 swapped, an egg curve's radii
// swapped with its second arc as LC) passes through the same points.
TEST(RouteIpMethod, ReversedRouteGivesTheSamePoints) {
    const BuiltRoute b = everyKind();
    const Route forward = computeRoute(b.input);
    std::vector<IpInput> back(b.input.rbegin(), b.input.rend());
    for (std::size_t i = 0; i < back.size(); ++i) {
        auto &c = back[i].curve;
        std::swap(c.a1, c.a2);
        if (c.r2) {
            std::swap(c.r, c.r2);
            c.lc = forward.ips[back.size() - 1 - i].curve.lc2;
        }
    }
    const Route reverse = computeRoute(back);
    ASSERT_TRUE(reverse.messages.empty()) << reverse.messages.front().text;
    const double length = forward.alignment.length();
    EXPECT_NEAR(reverse.alignment.length(), length, 1e-9);
    ASSERT_EQ(reverse.mainPoints.size(), forward.mainPoints.size());
    for (std::size_t i = 0; i < forward.mainPoints.size(); ++i)
        EXPECT_NEAR(reverse.mainPoints[forward.mainPoints.size() - 1 - i].distance,
                    length - forward.mainPoints[i].distance, 1e-9);
    for (double s = 0; s <= length; s += 3.7) {
        const auto a = korvane::route::poseAt(forward.alignment, s);
        const auto r = korvane::route::poseAt(reverse.alignment, length - s);
        EXPECT_NEAR(a.point.x, r.point.x, 1e-6) << s;
        EXPECT_NEAR(a.point.y, r.point.y, 1e-6) << s;
        EXPECT_NEAR(std::remainder(a.direction - r.direction - std::numbers::pi, 2 * std::numbers::pi), 0, 1e-9);
    }
}

// A leg left over within ±0.5 mm joins the curves without a straight and
// names their common point once; beyond, a straight of that length, or a
// refusal with the overlap.
TEST(RouteIpMethod, JointsWithinHalfAMillimetre) {
    struct Case {
        double straight;
        std::size_t segments;
        std::string joint; // the name at the joint, or "" when refused
    };
    const Case cases[] = {
        {0.0, 8, "KA1-2=KA2-1"},
        {0.0004, 8, "KA1-2=KA2-1"},
        {-0.0004, 8, "KA1-2=KA2-1"},
        {0.0006, 9, "KA1-2"},
        {-0.0006, 0, ""},
    };
    for (const Case &c : cases) {
        const BuiltRoute b = buildRoute(kBp, {{0, 100}, {40, c.straight}, {0, 100}}, {{100, 250, 100}, {100, 250, 100}});
        const Route route = computeRoute(b.input);
        SCOPED_TRACE(c.straight);
        EXPECT_EQ(route.alignment.segments.size(), c.segments);
        if (c.joint.empty()) {
            ASSERT_EQ(route.messages.size(), 1u);
            EXPECT_EQ(route.messages[0].text.rfind("IP1 と IP2 の曲線が 0.0006 m 重なっています", 0), 0u);
            EXPECT_EQ(route.messages[0].ip, 1);
        } else {
            EXPECT_TRUE(route.messages.empty());
            EXPECT_EQ(route.mainPoints[4].name, c.joint);
        }
    }
}

// Every refusal: one message naming the IP(s) and the figure, and no line.
TEST(RouteIpMethod, RefusalsNameTheIpAndTheFigure) {
    using korvane::route::CurveInput;
    const CurveInput simple100{{}, 100.0, {}, {}, {}, {}};
    struct Case {
        std::vector<IpInput> points;
        std::string message;
        int ip;
    };
    const Case cases[] = {
        {{point(0, 0)}, "路線には BP と EP の少なくとも 2 点が必要です。", -1},
        {{point(0, 0), point(0, 0.0004), point(100, 100)}, "BP と IP1 が同じ点です（距離 0.0004 m、1 mm 未満）。", 1},
        {{point(0, 0), point(0, 100), point(0, 50)}, "IP1: 進行方向が逆向きに戻り、IA が 180°00′00.0″ で 180° 以上になります。", 1},
        {{point(0, 0), point(0, 100, simple100), point(0, 300)}, "IP1: IA が 0°00′00.0″ で、曲線を入れる折れがありません。", 1},
        {{point(0, 0), point(0, 1000, {300.0, 200.0, 300.0, {}, {}, {}}), point(1000, 1000)},
         "IP1: IA 90°00′00.0″ が緩和曲線の曲がる角の和 128°54′55.8″ より小さく、円弧長が -135.841 m になります。", 1},
        {{point(0, 0), point(0, 1000, {100.0, 300.0, 100.0, 150.0, 150.0, 50.0}), point(100, 2000)},
         "IP1: IA 5°42′38.1″ が R2 の円弧の前後の要素の曲がる角の和 46°57′02.5″ より小さく、R2 の円弧長が -107.966 m になります。", 1},
        {{point(0, 0), point(0, 100, simple100), point(100, 100, simple100), point(100, 200)},
         "IP1 と IP2 の曲線が 100.0000 m 重なっています（IP1 から IP2 まで 100.000 m、TL2 100.000 m + TL1 100.000 m）。", 1},
        {{point(0, 50), point(0, 100, simple100), point(100, 100)},
         "IP1 の曲線が BP を 50.0000 m 越えています（BP から IP1 まで 50.000 m、TL1 100.000 m）。", 1},
        {{point(0, 0), point(0, 100, simple100), point(30, 100)},
         "IP1 の曲線が EP を 70.0000 m 越えています（IP1 から EP まで 30.000 m、TL2 100.000 m）。", 1},
        {{point(0, 0), point(0, 1000, {100.0, 200.0, 100.0, 200.0, 150.0, 0.0}), point(1000, 1000)},
         "IP1: 卵型の R と R2 が同じ 200 m で、二つの円をつなぐクロソイド AM がありません。", 1},
        {{point(0, 0), point(0, 1000, {100.0, {}, {}, {}, {}, {}}), point(1000, 1000)},
         "IP1: 曲線の値 A1 では曲線の型が決まりません（R / A1,R,A2 / A1,R / R,A2 / A1,A2 / A1,R,LC,AM,R2,A2 のいずれか）。", 1},
        {{point(0, 0), point(0, 1000, {{}, 200.0, {}, {}, {}, 30.0}), point(1000, 1000)},
         "IP1: 曲線の値 R,LC では曲線の型が決まりません（R / A1,R,A2 / A1,R / R,A2 / A1,A2 / A1,R,LC,AM,R2,A2 のいずれか）。", 1},
        {{point(0, 0), point(0, 1000, {{}, -5.0, {}, {}, {}, {}}), point(1000, 1000)}, "IP1: R=-5 は正の数でなければなりません。", 1},
        {{point(0, 0), point(0, 1000, {{}, 200.0, {}, 100.0, 80.0, -1.0}), point(1000, 1000)}, "IP1: LC=-1 は 0 以上でなければなりません。", 1},
        {{point(0, 0), point(0, 1000, {{}, 2e7, {}, {}, {}, {}}), point(1000, 1000)}, "IP1: R=20000000 が大きすぎます（10000 km まで）。", 1},
        {{point(0, 0, simple100), point(0, 1000)}, "BP: 起点・終点には曲線を設けられません（A1, R, A2, R2, AM, LC は空にしてください）。", 0},
        {{point(0, 0), point(0, NAN)}, "EP: 座標 0 nan は数値でないか、大きすぎます（±10000 km まで）。", 1},
    };
    for (const Case &c : cases) {
        const Route route = computeRoute(c.points);
        EXPECT_EQ(messageTexts(route.messages), std::vector<std::string>{c.message});
        if (!route.messages.empty()) {
            EXPECT_EQ(route.messages[0].ip, c.ip) << c.message;
            EXPECT_EQ(route.messages[0].severity, korvane::route::Severity::Refusal);
        }
        EXPECT_TRUE(route.alignment.segments.empty());
        EXPECT_TRUE(route.mainPoints.empty());
    }
}

// An arc short by less than half a millimetre is taken as 0 with a warning:
// the two clothoids meet, each exact on its own tangent.
TEST(RouteIpMethod, ArcShortWithinTheToleranceIsAWarning) {
    const double tau = 2 * 100.0 * 100 / (2 * 200.0 * 200); // τ1 + τ2 = 0.25 rad
    const double ia = tau - 0.0003 / 200;
    const std::vector<IpInput> points = {point(0, 0), point(0, 1000, {100.0, 200.0, 100.0, {}, {}, {}}),
                                         point(1000 * std::cos(std::numbers::pi / 2 - ia), 1000 + 1000 * std::sin(std::numbers::pi / 2 - ia))};
    const Route route = computeRoute(points);
    ASSERT_EQ(route.messages.size(), 1u);
    EXPECT_EQ(route.messages[0].severity, korvane::route::Severity::Warning);
    EXPECT_EQ(route.messages[0].text, "IP1: 円弧長 -0.0003 m を 0 として計算しました（0.5 mm 以内の不足）。");
    EXPECT_EQ(route.alignment.segments.size(), 4u);
    EXPECT_EQ(route.ips[1].curve.lc, 0);
}
