#include <gtest/gtest.h>

#include <cmath>

#include "geometry/clothoid.h"

using korvane::clothoidPoint;

namespace {

// The clothoid's coordinates as the integrals of cos and sin of the tangent
// angle s²/(2A²), by Simpson's rule over many steps.
korvane::Point integratedPoint(double A, double L) {
    const int steps = 20000;
    const double h = L / steps;
    double sx = 0, sy = 0;
    for (int i = 0; i <= steps; ++i) {
        const double s = i * h;
        const double weight = (i == 0 || i == steps) ? 1 : (i % 2 ? 4 : 2);
        const double angle = s * s / (2 * A * A);
        sx += weight * std::cos(angle);
        sy += weight * std::sin(angle);
    }
    return {sx * h / 3, sy * h / 3};
}

} // namespace

TEST(ClothoidPoint, StartAndSignOfTheLength) {
    const korvane::Point origin = clothoidPoint(100, 0);
    EXPECT_EQ(origin.x, 0.0);
    EXPECT_EQ(origin.y, 0.0);

    const korvane::Point forward = clothoidPoint(40, 5);
    const korvane::Point backward = clothoidPoint(40, -5);
    EXPECT_EQ(forward.x, backward.x);
    EXPECT_EQ(forward.y, backward.y);
    EXPECT_GT(forward.x, 4.99);
}

TEST(ClothoidPoint, KnownPoints) {
    // τ = 0.125: the leading terms of both series.
    const korvane::Point quarter = clothoidPoint(100, 50);
    EXPECT_NEAR(quarter.x, 49.92193, 5e-6);
    EXPECT_NEAR(quarter.y, 2.08101, 5e-6);
    EXPECT_NEAR(quarter.x, 50 * (1 - std::pow(0.125, 2) / 10 + std::pow(0.125, 4) / 216), 1e-7);
    EXPECT_NEAR(quarter.y, 50 * (0.125 / 3 - std::pow(0.125, 3) / 42 + std::pow(0.125, 5) / 1320), 1e-9);

    // The end of a clothoid with A = R: τ = 0.5.
    const korvane::Point end = clothoidPoint(100, 100);
    EXPECT_NEAR(end.x, 97.52877, 5e-6);
    EXPECT_NEAR(end.y, 16.37140, 5e-6);
}

TEST(ClothoidPoint, AgreesWithTheIntegralUpToHalfARadian) {
    const double parameters[] = {1, 10, 35, 100, 250, 1000};
    const double angles[] = {1e-8, 1e-4, 0.01, 0.125, 0.3, 0.45, 0.5};
    for (const double A : parameters) {
        for (const double tau : angles) {
            const double L = A * std::sqrt(2 * tau);
            const korvane::Point series = clothoidPoint(A, L);
            const korvane::Point integral = integratedPoint(A, L);
            EXPECT_NEAR(series.x, integral.x, 1e-6) << "A=" << A << " tau=" << tau;
            EXPECT_NEAR(series.y, integral.y, 1e-6) << "A=" << A << " tau=" << tau;
        }
    }
}
