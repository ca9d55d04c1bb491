// Points of the curve that several linework steps share: the centre line of
// each clothoid in its own frame, the second KA, the first KE as drawn, and
// the number of lane lines of a side.
#pragma once

#include <cstddef>

#include "geometry/clothoid.h"

namespace korvane {

// Centre point at distance s from the first KA, in the drawing frame.
Point firstCentrePoint(double s);

// Centre point at distance s from the second KA, in the second-clothoid frame.
Point secondCentrePoint(double s);

// The second KA in the drawing frame: IP plus tangent2 along the angle IA.
Point secondKaPoint();

// The last centre point of the first clothoid (the first KE) as
// writeFirstClothoid drew it, in the drawing frame.
Point firstClothoidEnd();
void setFirstClothoidEnd(Point p);

// Lane lines per side, counted at the start of the lane part of each
// clothoid step.
extern std::size_t nLeft;
extern std::size_t nRight;

// Lane lines of a side: the index of the first 0 among its widths, or all of
// them when none is 0.
std::size_t countLaneLines(const double *widths);

} // namespace korvane
