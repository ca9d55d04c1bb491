// The curve elements of clothoid, arc and clothoid between two tangents.
#pragma once

#include <array>

#include "params/design_record.h"

namespace korvane {

// IA in radians and the angles of the clothoids and the arc, from the angle
// and the parameters as read.
CurveAngles deriveAngles(const DesignRecord &design);

// Lengths (the arc's 0 when its angle is negative), end points, shifts, XM,
// W and the two tangent lengths.
CurveElements computeElements(const DesignRecord &design, const CurveAngles &angles);

// The lane widths of one side as cumulative offsets from the centre line:
// the first zero (or non-positive) sum ends the side, and everything after
// it is 0.
std::array<double, kLaneCapacity> laneOffsets(const double (&widths)[kLaneCapacity]);

} // namespace korvane
