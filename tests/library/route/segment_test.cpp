#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "route/alignment.h"
#include "route_support.h"

using korvane::route::PlanePoint;
using korvane::route::Segment;
using korvane::route::SegmentKind;
using route_support::Integrator;
using route_support::Piece;
using route_support::Xy;

namespace {

constexpr double kMetre = 1e-6; // the accuracy asked of every point

Segment segmentOf(SegmentKind kind, PlanePoint start, double direction, double k0, double k1, double length) {
    return Segment{kind, start, direction, k0, kind == SegmentKind::Arc ? k0 : k1, length};
}

// The largest distance between the segment's points and the integrated
// curve at eleven places along it, and the largest direction difference.
struct Deviation {
    double point = 0, direction = 0;
};

Deviation deviation(const Segment &g) {
    const Integrator exact(Xy{g.start.x, g.start.y}, g.direction, {Piece{g.length, g.startCurvature, g.endCurvature}});
    Deviation d;
    for (int i = 0; i <= 10; ++i) {
        const double s = g.length * i / 10;
        const korvane::route::Pose p = korvane::route::poseAt(g, s);
        const Xy e = exact.at(s);
        d.point = std::max(d.point, std::hypot(p.point.x - e.x, p.point.y - e.y));
        d.direction = std::max(d.direction, std::fabs(std::remainder(p.direction - exact.direction(s), 2 * std::numbers::pi)));
    }
    return d;
}

} // namespace

// Every kind of segment, at deflections up to a full turn, against the
// curvature integrated numerically: straights, arcs of 50 m to 10,000 km,
// clothoids from a straight, between two radii of one side (egg curves, also
// with a curvature rate near zero), through an inflection, and turning a
// full turn; far from the origin, as plane coordinates are.
TEST(RouteSegment, PointsMatchTheIntegratedCurvature) {
    const PlanePoint far{-41234.5678, 15678.9012};
    const double pi = std::numbers::pi;
    const Segment cases[] = {
        segmentOf(SegmentKind::Line, far, 1.0, 0, 0, 5000),
        segmentOf(SegmentKind::Arc, far, 0.3, 1.0 / 200, 0, 2 * pi * 200),       // a full turn right
        segmentOf(SegmentKind::Arc, far, 5.9, -1.0 / 50, 0, 300),                // left, 6 rad
        segmentOf(SegmentKind::Arc, far, 2.0, 1e-7, 0, 20000),                   // R = 10,000 km
        segmentOf(SegmentKind::Clothoid, far, 4.0, 0, 1.0 / 200, 50),            // A = 100 onto R = 200
        segmentOf(SegmentKind::Clothoid, far, 4.0, 0, -1.0 / 100, 4 * pi * 100), // a full turn from a straight
        segmentOf(SegmentKind::Clothoid, far, 1.5, 1.0 / 500, 1.0 / 200, 120),   // egg, AM = 200
        segmentOf(SegmentKind::Clothoid, far, 1.5, -1.0 / 300, -1.0 / 300.0001, 50), // rate ~ 2e-11 /m²
        segmentOf(SegmentKind::Clothoid, far, 3.0, 1.0 / 50, 1.0 / 100, 2 * pi / 0.015), // egg, a full turn
        segmentOf(SegmentKind::Clothoid, far, 0.7, -1.0 / 150, 1.0 / 150, 200),  // through a straight
        segmentOf(SegmentKind::Clothoid, far, 6.0, 1.0 / 100, 0, 80),            // onto a straight
        segmentOf(SegmentKind::Clothoid, far, 6.0, 1e-9, 2e-9, 30000),           // a nearly straight 30 km
    };
    for (const Segment &g : cases) {
        const Deviation d = deviation(g);
        EXPECT_LT(d.point, kMetre) << g.startCurvature << " " << g.endCurvature << " " << g.length;
        EXPECT_LT(d.direction, 1e-12);
    }
    // Random segments within the range: curvature times length up to 4π.
    std::mt19937 random(19);
    std::uniform_real_distribution<double> unit(0, 1);
    double worst = 0;
    for (int i = 0; i < 100; ++i) {
        const double length = std::pow(10, -1 + 4.5 * unit(random));
        const double largest = 4 * pi * unit(random) / length;
        const double k0 = largest * (2 * unit(random) - 1), k1 = largest * (2 * unit(random) - 1);
        const Segment g = segmentOf(i % 3 == 0 ? SegmentKind::Arc : SegmentKind::Clothoid, far, 2 * pi * unit(random),
                                    k0, k1, length);
        ASSERT_TRUE(korvane::route::segmentInRange(g));
        worst = std::max(worst, deviation(g).point);
    }
    EXPECT_LT(worst, kMetre);
}

// Published values of the Fresnel integrals C(t) = ∫cos(πu²/2), S(t) =
// ∫sin(πu²/2) (Abramowitz & Stegun, Handbook of Mathematical Functions,
// Table 7.7; the same values in J. Burkardt's test_values and Maple's
// FresnelC help): C(1) = 0.7798934004, S(1) = 0.4382591474,
// C(2) = 0.4882534061, S(2) = 0.3434156784. A clothoid of parameter A from a
// straight reaches (A√π·C(t), A√π·S(t)) after A√π·t, turning by πt²/2: a
// quarter turn at t = 1, a full turn at t = 2. The piece from t = 1 to t = 2
// starts at a curvature √π/A: an egg clothoid, checked the same way.
TEST(RouteSegment, ClothoidMatchesPublishedFresnelIntegrals) {
    const double a = 100, scale = a * std::sqrt(std::numbers::pi);
    const Xy at1{scale * 0.7798934004, scale * 0.4382591474};
    const Xy at2{scale * 0.4882534061, scale * 0.3434156784};
    const double k1 = std::sqrt(std::numbers::pi) / a;
    const auto expectAt = [&](const Segment &g, Xy expected, double direction) {
        const korvane::route::Pose end = korvane::route::segmentEnd(g);
        EXPECT_NEAR(end.point.x, expected.x, 1e-8);
        EXPECT_NEAR(end.point.y, expected.y, 1e-8);
        EXPECT_NEAR(std::remainder(end.direction - direction, 2 * std::numbers::pi), 0, 1e-14);
    };
    expectAt(korvane::route::clothoidSegment({0, 0}, 0, 0, k1, scale), at1, std::numbers::pi / 2);
    expectAt(korvane::route::clothoidSegment({0, 0}, 0, 0, 2 * k1, 2 * scale), at2, 0);
    expectAt(korvane::route::clothoidSegment({at1.x, at1.y}, std::numbers::pi / 2, k1, 2 * k1, scale), at2, 0);
    // Mirrored: turning left from heading east.
    const Segment left = korvane::route::clothoidSegment({0, 0}, std::numbers::pi / 2, 0, -k1, scale);
    expectAt(left, Xy{at1.y, at1.x}, 0);
}

// A segment run backwards passes the same points; offset points project
// back onto the distance and offset they were made from, on either side, on
// a chain of segments; points beyond the ends are not square to the line.
TEST(RouteSegment, ReversedOffsetsAndProjections) {
    using namespace korvane::route;
    const PlanePoint start{1000, -2000};
    const Segment first = clothoidSegment(start, 0.4, 0, 1.0 / 150, 80);
    const Pose e1 = segmentEnd(first);
    const Segment second = arcSegment(e1.point, e1.direction, 1.0 / 150, 120);
    const Pose e2 = segmentEnd(second);
    const Segment third = clothoidSegment(e2.point, e2.direction, 1.0 / 150, -1.0 / 400, 90);
    const Alignment line = makeAlignment({first, second, third});

    for (const Segment &g : line.segments) {
        const Segment back = reversed(g);
        for (const double s : {0.0, 17.5, g.length}) {
            const Pose a = poseAt(g, s), b = poseAt(back, g.length - s);
            EXPECT_NEAR(a.point.x, b.point.x, 1e-9);
            EXPECT_NEAR(a.point.y, b.point.y, 1e-9);
            EXPECT_NEAR(std::remainder(a.direction - b.direction - std::numbers::pi, kFullTurn), 0, 1e-12);
            EXPECT_NEAR(a.curvature, -b.curvature, 1e-15);
        }
    }
    for (const double s : {0.0, 5.0, 80.0, 133.3, 200.0, 250.0, 290.0}) {
        for (const double offset : {-12.5, -3.0, 0.0, 4.0, 30.0}) {
            const Pose p = poseAt(line, s);
            const Projection back = project(line, offsetFrom(p.point, p.direction, offset));
            EXPECT_NEAR(back.distance, s, 1e-8) << s << " " << offset;
            EXPECT_NEAR(back.offset, offset, 1e-8);
            EXPECT_TRUE(back.square);
        }
    }
    // Before the start, along its tangent: the start is nearest, not square.
    const Projection before = project(line, along(start, 0.4, -10));
    EXPECT_EQ(before.distance, 0);
    EXPECT_FALSE(before.square);
    // A point right of the line heading north-east lies east of it.
    const Pose p = poseAt(line, 0);
    EXPECT_GT(offsetFrom(p.point, p.direction, 1).y, p.point.y);
}
