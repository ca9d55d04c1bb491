#include "plan/centre_line.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "plan/plan_frame.h"

namespace korvane::plan {

namespace {

using route::Segment;
using route::SegmentKind;

// More chords than any segment of a route can need (a clothoid as long as
// the coordinates are wide, turning two full turns, needs 125,000).
constexpr double kMaxChords = 1e7;

// The direction of p seen from the centre c, degrees counter-clockwise from
// +x in [0, 360).
double degreesFrom(Point c, Point p) {
    const double degrees = std::atan2(p.y - c.y, p.x - c.x) * 180.0 / std::numbers::pi;
    return degrees < 0 ? degrees + 360.0 : degrees;
}

CentrePiece straight(const Segment &s) {
    return CentrePiece{SegmentKind::Line, {toDrawing(s.start), toDrawing(route::segmentEnd(s).point)}, {}};
}

// A curvature > 0 turns clockwise on the map, and an ARC runs counter-clockwise:
// such an arc runs from its end to its start.
CentrePiece arc(const Segment &s) {
    const Point start = toDrawing(s.start), end = toDrawing(route::segmentEnd(s).point);
    const Point centre = toDrawing(route::arcCentre(s));
    const double radius = kMillimetresPerMetre / std::fabs(s.startCurvature);
    const bool clockwise = s.startCurvature > 0;
    const PlanArc a{centre, radius, degreesFrom(centre, clockwise ? end : start),
                    degreesFrom(centre, clockwise ? start : end)};
    return CentrePiece{SegmentKind::Arc, {start, end}, a};
}

CentrePiece clothoid(const Segment &s) {
    const int n = chordCount(s);
    CentrePiece piece{SegmentKind::Clothoid, {}, {}};
    piece.points.reserve(static_cast<std::size_t>(n) + 1);
    for (int i = 0; i < n; ++i) piece.points.push_back(toDrawing(route::poseAt(s, s.length * i / n).point));
    piece.points.push_back(toDrawing(route::segmentEnd(s).point));
    return piece;
}

} // namespace

int chordCount(const Segment &s) {
    const double curvature = std::max(std::fabs(s.startCurvature), std::fabs(s.endCurvature));
    const double n = std::ceil(s.length * std::sqrt(curvature / (8 * kChordSagitta)));
    return n >= 1 ? static_cast<int>(std::min(n, kMaxChords)) : 1;
}

std::vector<CentrePiece> centreLine(const route::Alignment &alignment) {
    std::vector<CentrePiece> pieces;
    pieces.reserve(alignment.segments.size());
    for (const Segment &s : alignment.segments) {
        if (s.length <= 0) continue;
        switch (s.kind) {
        case SegmentKind::Line: pieces.push_back(straight(s)); break;
        case SegmentKind::Arc: pieces.push_back(s.startCurvature != 0 ? arc(s) : straight(s)); break;
        case SegmentKind::Clothoid: pieces.push_back(clothoid(s)); break;
        }
    }
    return pieces;
}

} // namespace korvane::plan
