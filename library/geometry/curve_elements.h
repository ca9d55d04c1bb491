// The curve elements of clothoid, arc and clothoid between two tangents.
#pragma once

namespace korvane {

// iaRadians, tau1, tau2, arcAngle from the angle and parameters as read.
void deriveAngles();

// length1, length2 and arcLength (0 when the arc angle is negative).
void computeLengths();

// Lane widths of both sides become cumulative offsets from the centre line.
void accumulateLaneOffsets();

// End points, shifts, XM, W and the two tangent lengths.
void computeElements();

} // namespace korvane
