#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <iterator>
#include <limits>

#include "geometry/curve_elements.h"
#include "params/design_record.h"

namespace {

korvane::DesignRecord curve(double a1, double a2, double radius, double degrees, double minutes = 0,
                            double seconds = 0) {
    korvane::DesignRecord design{};
    design.a1 = a1;
    design.a2 = a2;
    design.radius = radius;
    design.iaDegrees = degrees;
    design.iaMinutes = minutes;
    design.iaSeconds = seconds;
    return design;
}

// Values given to five decimals are compared to half a unit of the last digit.
constexpr double k5 = 6e-6;

} // namespace

TEST(CurveElements, SymmetricCurve) {
    const korvane::DesignRecord design = curve(100, 100, 200, 60);
    const korvane::CurveAngles angles = korvane::deriveAngles(design);
    EXPECT_NEAR(angles.iaRadians, 1.0471976, 6e-8);
    EXPECT_DOUBLE_EQ(angles.tau1, 0.125);
    EXPECT_DOUBLE_EQ(angles.tau2, 0.125);
    EXPECT_NEAR(angles.arcAngle, 0.797198, 6e-7);

    const korvane::CurveElements e = korvane::computeElements(design, angles);
    EXPECT_DOUBLE_EQ(e.length1, 50);
    EXPECT_DOUBLE_EQ(e.length2, 50);
    EXPECT_NEAR(e.arcLength, 159.43951, k5);
    EXPECT_NEAR(e.curveLength(), 259.43951, k5);
    EXPECT_NEAR(e.x1, 49.92193, k5);
    EXPECT_NEAR(e.y1, 2.08101, k5);
    EXPECT_EQ(e.x2, e.x1);
    EXPECT_EQ(e.y2, e.y1);
    EXPECT_NEAR(e.shift1, 0.52054, k5);
    EXPECT_NEAR(e.shift2, 0.52054, k5);
    EXPECT_NEAR(e.xm1, 24.98699, k5);
    EXPECT_NEAR(e.xm2, 24.98699, k5);
    EXPECT_NEAR(e.tangentW, 115.77059, k5);
    EXPECT_NEAR(e.tangent1, 140.75757, k5);
    EXPECT_NEAR(e.tangent2, 140.75757, k5);
}

TEST(CurveElements, AsymmetricCurveInBothDirections) {
    for (const double degrees : {60.0, -60.0}) {
        SCOPED_TRACE(degrees);
        const korvane::DesignRecord design = curve(100, 150, 200, degrees);
        const korvane::CurveAngles angles = korvane::deriveAngles(design);
        EXPECT_NEAR(angles.iaRadians, degrees > 0 ? 1.0471976 : -1.0471976, 6e-8);
        EXPECT_DOUBLE_EQ(angles.tau2, 0.28125);
        EXPECT_NEAR(angles.arcAngle, 0.640948, 6e-7);

        const korvane::CurveElements e = korvane::computeElements(design, angles);
        EXPECT_DOUBLE_EQ(e.length2, 112.5);
        EXPECT_NEAR(e.arcLength, 128.18951, k5);
        EXPECT_NEAR(e.curveLength(), 290.68951, k5);
        EXPECT_NEAR(e.x2, 111.61336, k5);
        EXPECT_NEAR(e.y2, 10.48743, k5);
        EXPECT_NEAR(e.shift2, 2.62928, k5);
        EXPECT_NEAR(e.xm2, 56.10201, k5);
        EXPECT_NEAR(e.tangentW, 116.98807, k5);
        EXPECT_NEAR(e.tangent1, 143.19254, k5);
        EXPECT_NEAR(e.tangent2, 170.65512, k5);
    }
}

TEST(CurveElements, SignOfTheAngle) {
    // Any negative part makes the whole angle negative.
    EXPECT_DOUBLE_EQ(korvane::deriveAngles(curve(100, 100, 200, 0, -30, 0)).iaRadians,
                     -0.5 / 180 * 3.1415926536);
    EXPECT_DOUBLE_EQ(korvane::deriveAngles(curve(100, 100, 200, -14, 19, 27)).iaRadians,
                     -(14 + 19 / 60.0 + 27 / 3600.0) / 180 * 3.1415926536);
    // π is taken to ten decimals, not the double π.
    EXPECT_EQ(korvane::deriveAngles(curve(100, 100, 200, 180)).iaRadians, 3.1415926536);
}

TEST(CurveElements, SlightlyNegativeArcHasNoLength) {
    const korvane::DesignRecord design = curve(100, 100, 200, 0);
    korvane::CurveAngles angles{};
    angles.tau1 = 0.125;
    angles.tau2 = 0.125;
    angles.iaRadians = 0.25 - 2e-6;
    angles.arcAngle = -2e-6;
    const korvane::CurveElements e = korvane::computeElements(design, angles);
    EXPECT_EQ(e.arcLength, 0.0);
    EXPECT_DOUBLE_EQ(e.curveLength(), 100);
}

TEST(CurveElements, LaneWidthsBecomeOffsets) {
    struct Case {
        const char *name;
        std::array<double, 6> widths; // the rest of the side is left over from earlier designs
        std::array<double, 3> offsets; // and 0 after them
    };
    constexpr double kInf = std::numeric_limits<double>::infinity();
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {"widths ended by 0", {3.5, 3.5, 2.5, 0, 4, 4}, {3.5, 7.0, 9.5}},
        {"one width", {3.0, 0, 2, 2, 2, 0}, {3.0, 0, 0}},
        {"non-positive sum", {3.0, -5.0, 4.0, 1, 1, 1}, {3.0, 0, 0}},
        {"infinite width", {3.5, kInf, 2.0, 1, 1, 1}, {3.5, 0, 0}},
        {"first width not a number", {kNaN, 3.0, 1, 1, 1, 1}, {0, 0, 0}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        double widths[korvane::kLaneCapacity];
        std::fill(std::begin(widths), std::end(widths), 7.0);
        std::copy(c.widths.begin(), c.widths.end(), widths);
        const auto offsets = korvane::laneOffsets(widths);
        for (std::size_t i = 0; i < korvane::kLaneCapacity; ++i)
            EXPECT_EQ(offsets[i], i < c.offsets.size() ? c.offsets[i] : 0.0) << i;
    }
}
