// The world in the plan drawing: a point of the plane rectangular
// coordinates (X north, Y east, metres) lies at x = Y·1000, y = X·1000;
// directions clockwise from north become unit vectors of the drawing.
#pragma once

#include <cmath>

#include "geometry/clothoid.h"
#include "route/plane.h"

namespace korvane::plan {

inline constexpr double kMillimetresPerMetre = 1000.0;

inline Point toDrawing(route::PlanePoint p) { return Point{p.y * kMillimetresPerMetre, p.x * kMillimetresPerMetre}; }

// The direction of travel as a unit vector of the drawing.
inline Point travelVector(double direction) { return Point{std::sin(direction), std::cos(direction)}; }
// The unit vectors square to it, to the right and to the left of travel.
inline Point rightOf(Point t) { return Point{t.y, -t.x}; }
inline Point leftOf(Point t) { return Point{-t.y, t.x}; }

inline Point plus(Point p, Point v, double k) { return Point{p.x + k * v.x, p.y + k * v.y}; }

} // namespace korvane::plan
