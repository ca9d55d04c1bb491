// The position reached along a curve whose direction is a quadratic function
// of the distance: the integral of (cos θ(t), sin θ(t)) with
// θ(t) = θ0 + κ0·t + rate·t²/2, the curve of a clothoid from any curvature κ0.
#pragma once

#include "route/plane.h"

namespace korvane::route {

// The displacement from t = 0 to t = s (s ≥ 0). Gauss–Legendre quadrature
// of ten nodes over pieces that each turn by at most one radian: the error of
// the rule on such a piece is below 1e-20 of its length, so the result is
// exact to the rounding of the arithmetic for any curvature rate, also one
// near zero (an egg curve's joining clothoid between two close radii).
PlanePoint headingIntegral(double theta0, double curvature0, double rate, double s);

} // namespace korvane::route
