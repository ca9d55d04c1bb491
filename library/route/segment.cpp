#include "route/segment.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "route/heading_integral.h"

namespace korvane::route {

namespace {

// sin(x)/x, exact to the rounding also near 0.
double sinc(double x) {
    if (std::fabs(x) < 1e-4) return 1 - x * x / 6;
    return std::sin(x) / x;
}

double rateOf(const Segment &g) {
    return g.kind == SegmentKind::Clothoid && g.length > 0 ? (g.endCurvature - g.startCurvature) / g.length : 0;
}

PlanePoint displacement(const Segment &g, double s) {
    switch (g.kind) {
    case SegmentKind::Line: return PlanePoint{s * std::cos(g.direction), s * std::sin(g.direction)};
    case SegmentKind::Arc: {
        // Along the chord, which bisects the turn.
        const double half = 0.5 * g.startCurvature * s;
        const double chord = s * sinc(half);
        return PlanePoint{chord * std::cos(g.direction + half), chord * std::sin(g.direction + half)};
    }
    case SegmentKind::Clothoid: break;
    }
    return headingIntegral(g.direction, g.startCurvature, rateOf(g), s);
}

// (q − P(s))·T(s): 0 where q lies on the normal at s; it falls through 0
// where the distance has a minimum.
double alongResidual(const Segment &g, PlanePoint q, double s) {
    const Pose p = poseAt(g, s);
    return (q.x - p.point.x) * std::cos(p.direction) + (q.y - p.point.y) * std::sin(p.direction);
}

double offsetOf(PlanePoint q, const Pose &p) {
    return -(q.x - p.point.x) * std::sin(p.direction) + (q.y - p.point.y) * std::cos(p.direction);
}

// The root of alongResidual in [lo, hi], where it goes from ≥ 0 to ≤ 0:
// Newton steps kept inside the bracket, bisection where they leave it.
double footBetween(const Segment &g, PlanePoint q, double lo, double hi) {
    double s = 0.5 * (lo + hi);
    for (int i = 0; i < 100 && hi - lo > 1e-12 * std::max(1.0, g.length); ++i) {
        const Pose p = poseAt(g, s);
        const double r = alongResidual(g, q, s);
        if (r > 0) lo = s;
        else hi = s;
        const double slope = -1 + p.curvature * offsetOf(q, p);
        double next = slope < 0 ? s - r / slope : 0.5 * (lo + hi);
        if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
        if (std::fabs(next - s) < 1e-13 * std::max(1.0, g.length)) return next;
        s = next;
    }
    return s;
}

SegmentFoot footAt(const Segment &g, PlanePoint q, double s, bool square) {
    const Pose p = poseAt(g, s);
    return SegmentFoot{s, offsetOf(q, p), distanceBetween(q, p.point), square};
}

} // namespace

Segment lineSegment(PlanePoint start, double direction, double length) {
    return Segment{SegmentKind::Line, start, direction, 0, 0, length};
}

Segment arcSegment(PlanePoint start, double direction, double curvature, double length) {
    return Segment{SegmentKind::Arc, start, direction, curvature, curvature, length};
}

Segment clothoidSegment(PlanePoint start, double direction, double startCurvature, double endCurvature,
                        double length) {
    return Segment{SegmentKind::Clothoid, start, direction, startCurvature, endCurvature, length};
}

bool segmentInRange(const Segment &g) {
    const double values[] = {g.start.x, g.start.y, g.direction, g.startCurvature, g.endCurvature, g.length};
    if (!std::all_of(std::begin(values), std::end(values), [](double v) { return std::isfinite(v); }))
        return false;
    const double largest = g.kind == SegmentKind::Line   ? 0
                           : g.kind == SegmentKind::Arc ? std::fabs(g.startCurvature)
                                                        : std::max(std::fabs(g.startCurvature), std::fabs(g.endCurvature));
    return g.length >= 0 && largest * g.length <= kMaxCurvatureLength;
}

double curvatureAt(const Segment &g, double s) {
    switch (g.kind) {
    case SegmentKind::Line: return 0;
    case SegmentKind::Arc: return g.startCurvature;
    case SegmentKind::Clothoid: break;
    }
    return g.startCurvature + rateOf(g) * s;
}

double headingAt(const Segment &g, double s) {
    switch (g.kind) {
    case SegmentKind::Line: return g.direction;
    case SegmentKind::Arc: return g.direction + g.startCurvature * s;
    case SegmentKind::Clothoid: break;
    }
    return g.direction + s * (g.startCurvature + 0.5 * rateOf(g) * s);
}

Pose poseAt(const Segment &g, double s) {
    const PlanePoint d = displacement(g, s);
    return Pose{PlanePoint{g.start.x + d.x, g.start.y + d.y}, normalisedAngle(headingAt(g, s)), curvatureAt(g, s)};
}

Pose segmentEnd(const Segment &g) { return poseAt(g, g.length); }

double segmentTurn(const Segment &g) { return headingAt(g, g.length) - g.direction; }

Segment reversed(const Segment &g) {
    const Pose end = segmentEnd(g);
    const double k0 = g.kind == SegmentKind::Arc ? g.startCurvature : g.endCurvature;
    const double k1 = g.startCurvature;
    return Segment{g.kind, end.point, normalisedAngle(end.direction + std::numbers::pi), -k0, -k1, g.length};
}

PlanePoint tangentIntersection(const Segment &g) {
    const Pose end = segmentEnd(g);
    const double c0 = std::cos(g.direction), s0 = std::sin(g.direction);
    const double c1 = std::cos(end.direction), s1 = std::sin(end.direction);
    const double cross = c0 * s1 - s0 * c1;
    if (std::fabs(cross) < 1e-15) return end.point;
    const double dx = end.point.x - g.start.x, dy = end.point.y - g.start.y;
    const double a = (dx * s1 - dy * c1) / cross;
    return PlanePoint{g.start.x + a * c0, g.start.y + a * s0};
}

PlanePoint arcCentre(const Segment &g) {
    const double radius = 1 / g.startCurvature; // signed: the centre lies to the side the arc turns
    return offsetFrom(g.start, g.direction, radius);
}

SegmentFoot nearestOnSegment(const Segment &g, PlanePoint q) {
    if (g.kind == SegmentKind::Line || g.length <= 0) {
        const double t = (q.x - g.start.x) * std::cos(g.direction) + (q.y - g.start.y) * std::sin(g.direction);
        const double s = std::clamp(t, 0.0, std::max(0.0, g.length));
        return footAt(g, q, s, t == s);
    }
    // Samples that turn by at most a quarter radian apart find the basin of
    // the nearest foot; the root of the residual is then refined between them.
    const double largest = std::max(std::fabs(g.startCurvature), std::fabs(curvatureAt(g, g.length)));
    const int steps = std::clamp(static_cast<int>(std::ceil(largest * g.length / 0.25)), 4, 256);
    std::vector<double> at(steps + 1);
    std::size_t best = 0;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (int i = 0; i <= steps; ++i) {
        at[i] = g.length * i / steps;
        const double d = distanceBetween(q, poseAt(g, at[i]).point);
        if (d < bestDistance) bestDistance = d, best = static_cast<std::size_t>(i);
    }
    SegmentFoot result = footAt(g, q, at[best], false);
    const auto consider = [&](double s, bool square) {
        const SegmentFoot f = footAt(g, q, s, square);
        if (f.distance < result.distance || (f.distance == result.distance && square)) result = f;
    };
    for (const std::size_t i : {best == 0 ? best : best - 1, best}) {
        if (i + 1 >= at.size()) continue;
        const double lo = at[i], hi = at[i + 1];
        if (alongResidual(g, q, lo) >= 0 && alongResidual(g, q, hi) <= 0)
            consider(footBetween(g, q, lo, hi), true);
    }
    consider(0, std::fabs(alongResidual(g, q, 0)) < 1e-9);
    consider(g.length, std::fabs(alongResidual(g, q, g.length)) < 1e-9);
    return result;
}

} // namespace korvane::route
