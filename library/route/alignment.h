// A horizontal alignment: a chain of segments with the distance along the
// line at which each begins.
#pragma once

#include <cstddef>
#include <vector>

#include "route/segment.h"

namespace korvane::route {

struct Alignment {
    std::vector<Segment> segments;
    std::vector<double> starts; // distance of each segment's start from the line's start; one more, the length

    double length() const { return starts.empty() ? 0 : starts.back(); }
};

// The segments in order along the line, each measured by its own length.
Alignment makeAlignment(std::vector<Segment> segments);

// The segment that holds the distance s: at a boundary the segment that
// begins there (its start is its own data), at the end the last one.
std::size_t segmentIndexAt(const Alignment &alignment, double s);

// The point at distance s along the line, s clamped to [0, length]. An empty
// alignment has no points: the origin with direction 0 then.
Pose poseAt(const Alignment &alignment, double s);

// Evaluates points in rising order of distance, finding each one's segment
// from the last one's (a table of a hundred thousand rows walks the line once).
class AlignmentWalker {
public:
    explicit AlignmentWalker(const Alignment &alignment) : alignment_(alignment) {}
    Pose at(double s);

private:
    const Alignment &alignment_;
    std::size_t index_ = 0;
};

// The nearest point of the line to q: its distance along the line, the signed
// offset of q (positive to the right of the line), and whether q lies on the
// normal there (false when it lies beyond an end of the line).
struct Projection {
    double distance = 0;
    double offset = 0;
    PlanePoint foot{};
    bool square = false;
};
Projection project(const Alignment &alignment, PlanePoint q);

// How one segment's end meets the next one's start: the distance between the
// two points and the change of direction there (signed, radians).
struct Joint {
    double gap;
    double kink;
};
Joint jointAfter(const Alignment &alignment, std::size_t segment);

} // namespace korvane::route
