// One element of a horizontal alignment: a straight, a circular arc or a
// clothoid between any two curvatures. Each segment carries its own start
// point and start direction, so it can be evaluated without the segments
// before it (an alignment read from a file keeps the rounding of one element
// from carrying down the line).
#pragma once

#include "route/plane.h"

namespace korvane::route {

enum class SegmentKind { Line, Arc, Clothoid };

// Curvatures are signed: positive turns clockwise (the direction angle
// grows, a turn to the right seen on the map), negative anticlockwise.
struct Segment {
    SegmentKind kind = SegmentKind::Line;
    PlanePoint start{};
    double direction = 0;      // at the start
    double startCurvature = 0; // 1/m; an arc uses this one for its whole length
    double endCurvature = 0;
    double length = 0;
};

// A point of a line with its direction and curvature there.
struct Pose {
    PlanePoint point;
    double direction; // [0, 2π)
    double curvature;
};

Segment lineSegment(PlanePoint start, double direction, double length);
Segment arcSegment(PlanePoint start, double direction, double curvature, double length);
Segment clothoidSegment(PlanePoint start, double direction, double startCurvature, double endCurvature,
                        double length);

// Segments are evaluated to within 1e-6 m of the exact curve while the
// largest curvature times the length stays within this bound (a clothoid
// from a straight turning a full turn reaches 4π).
constexpr double kMaxCurvatureLength = 4 * std::numbers::pi;

// Finite values, a length ≥ 0 and the curvature within kMaxCurvatureLength.
bool segmentInRange(const Segment &segment);

double curvatureAt(const Segment &segment, double s);
// The direction at s, not reduced to [0, 2π).
double headingAt(const Segment &segment, double s);

// The point at distance s from the start (0 ≤ s ≤ length; beyond, the same
// curvature law goes on).
Pose poseAt(const Segment &segment, double s);
Pose segmentEnd(const Segment &segment);

// The turn from start to end (signed, radians).
double segmentTurn(const Segment &segment);

// The same curve run from its end back to its start.
Segment reversed(const Segment &segment);

// Where the tangents at the start and the end of a clothoid meet (the PI of
// its LandXML Spiral); the end point when they are parallel.
PlanePoint tangentIntersection(const Segment &segment);

// Centre of an arc.
PlanePoint arcCentre(const Segment &segment);

// The nearest point of the segment to q: its distance along the segment and
// the signed offset of q (positive to the right).
struct SegmentFoot {
    double s;
    double offset;
    double distance; // |q − foot|
    bool square;     // q lies on the normal at the foot (not only nearest to an end)
};
SegmentFoot nearestOnSegment(const Segment &segment, PlanePoint q);

} // namespace korvane::route
