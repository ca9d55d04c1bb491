// Points of a clothoid from the power series of the Fresnel integrals.
#pragma once

namespace korvane {

struct Point {
    double x;
    double y;
};

// Local coordinates of the point at arc length L on a clothoid of parameter A:
// origin at the clothoid's start, x along its tangent there, y towards the
// side on which it bends. Exactly ten terms of each series.
Point clothoidPoint(double A, double L);

} // namespace korvane
