#include "route/alignment.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace korvane::route {

Alignment makeAlignment(std::vector<Segment> segments) {
    Alignment a;
    a.starts.reserve(segments.size() + 1);
    double distance = 0;
    for (const Segment &g : segments) {
        a.starts.push_back(distance);
        distance += g.length;
    }
    a.starts.push_back(distance);
    a.segments = std::move(segments);
    return a;
}

std::size_t segmentIndexAt(const Alignment &a, double s) {
    if (a.segments.empty()) return 0;
    const auto after = std::upper_bound(a.starts.begin(), a.starts.end() - 1, s);
    const auto index = static_cast<std::size_t>(std::max<std::ptrdiff_t>(0, after - a.starts.begin() - 1));
    return std::min(index, a.segments.size() - 1);
}

Pose poseAt(const Alignment &a, double s) {
    if (a.segments.empty()) return Pose{PlanePoint{0, 0}, 0, 0};
    s = std::clamp(s, 0.0, a.length());
    const std::size_t i = segmentIndexAt(a, s);
    return poseAt(a.segments[i], s - a.starts[i]);
}

Pose AlignmentWalker::at(double s) {
    const Alignment &a = alignment_;
    if (a.segments.empty()) return Pose{PlanePoint{0, 0}, 0, 0};
    s = std::clamp(s, 0.0, a.length());
    if (index_ >= a.segments.size() || s < a.starts[index_]) index_ = 0;
    while (index_ + 1 < a.segments.size() && s >= a.starts[index_ + 1]) ++index_;
    return poseAt(a.segments[index_], s - a.starts[index_]);
}

Projection project(const Alignment &a, PlanePoint q) {
    Projection best;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < a.segments.size(); ++i) {
        const Segment &g = a.segments[i];
        // Every point of a segment lies within half its length of its middle
        // point, so a segment whose middle is farther than that plus the best
        // distance so far cannot hold a nearer point.
        const double half = 0.5 * g.length;
        if (distanceBetween(q, poseAt(g, half).point) - half > bestDistance) continue;
        const SegmentFoot f = nearestOnSegment(g, q);
        if (f.distance < bestDistance || (f.distance == bestDistance && f.square && !best.square)) {
            bestDistance = f.distance;
            best = Projection{a.starts[i] + f.s, f.offset, poseAt(g, f.s).point, f.square};
        }
    }
    return best;
}

Joint jointAfter(const Alignment &a, std::size_t i) {
    const Pose end = segmentEnd(a.segments[i]);
    const Segment &next = a.segments[i + 1];
    return Joint{distanceBetween(end.point, next.start), turnBetween(end.direction, next.direction)};
}

} // namespace korvane::route
