#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <limits>

#include "geometry/curve_elements.h"
#include "params/design_record.h"

using korvane::design;

namespace {

class CurveElements : public ::testing::Test {
protected:
    void SetUp() override { design = korvane::DesignRecord{}; }

    static void setCurve(double a1, double a2, double radius, double degrees, double minutes,
                         double seconds) {
        design.a1 = a1;
        design.a2 = a2;
        design.radius = radius;
        design.iaDegrees = degrees;
        design.iaMinutes = minutes;
        design.iaSeconds = seconds;
    }

    static void computeAll() {
        korvane::deriveAngles();
        korvane::computeLengths();
        korvane::computeElements();
    }
};

// Values given to five decimals are compared to half a unit of the last digit.
constexpr double k5 = 6e-6;

} // namespace

TEST_F(CurveElements, SymmetricCurve) {
    setCurve(100, 100, 200, 60, 0, 0);
    computeAll();
    EXPECT_NEAR(design.iaRadians, 1.0471976, 6e-8);
    EXPECT_DOUBLE_EQ(design.tau1, 0.125);
    EXPECT_DOUBLE_EQ(design.tau2, 0.125);
    EXPECT_NEAR(design.arcAngle, 0.797198, 6e-7);
    EXPECT_DOUBLE_EQ(design.length1, 50);
    EXPECT_DOUBLE_EQ(design.length2, 50);
    EXPECT_NEAR(design.arcLength, 159.43951, k5);
    EXPECT_NEAR(korvane::curveLength(), 259.43951, k5);
    EXPECT_NEAR(design.x1, 49.92193, k5);
    EXPECT_NEAR(design.y1, 2.08101, k5);
    EXPECT_EQ(design.x2, design.x1);
    EXPECT_EQ(design.y2, design.y1);
    EXPECT_NEAR(design.shift1, 0.52054, k5);
    EXPECT_NEAR(design.shift2, 0.52054, k5);
    EXPECT_NEAR(design.xm1, 24.98699, k5);
    EXPECT_NEAR(design.xm2, 24.98699, k5);
    EXPECT_NEAR(design.tangentW, 115.77059, k5);
    EXPECT_NEAR(design.tangent1, 140.75757, k5);
    EXPECT_NEAR(design.tangent2, 140.75757, k5);
}

TEST_F(CurveElements, AsymmetricCurveInBothDirections) {
    for (const double degrees : {60.0, -60.0}) {
        SCOPED_TRACE(degrees);
        setCurve(100, 150, 200, degrees, 0, 0);
        computeAll();
        EXPECT_NEAR(design.iaRadians, degrees > 0 ? 1.0471976 : -1.0471976, 6e-8);
        EXPECT_DOUBLE_EQ(design.tau2, 0.28125);
        EXPECT_NEAR(design.arcAngle, 0.640948, 6e-7);
        EXPECT_DOUBLE_EQ(design.length2, 112.5);
        EXPECT_NEAR(design.arcLength, 128.18951, k5);
        EXPECT_NEAR(korvane::curveLength(), 290.68951, k5);
        EXPECT_NEAR(design.x2, 111.61336, k5);
        EXPECT_NEAR(design.y2, 10.48743, k5);
        EXPECT_NEAR(design.shift2, 2.62928, k5);
        EXPECT_NEAR(design.xm2, 56.10201, k5);
        EXPECT_NEAR(design.tangentW, 116.98807, k5);
        EXPECT_NEAR(design.tangent1, 143.19254, k5);
        EXPECT_NEAR(design.tangent2, 170.65512, k5);
    }
}

TEST_F(CurveElements, SignOfTheAngle) {
    // Any negative part makes the whole angle negative.
    setCurve(100, 100, 200, 0, -30, 0);
    korvane::deriveAngles();
    EXPECT_DOUBLE_EQ(design.iaRadians, -0.5 / 180 * 3.1415926536);

    setCurve(100, 100, 200, -14, 19, 27);
    korvane::deriveAngles();
    EXPECT_DOUBLE_EQ(design.iaRadians, -(14 + 19 / 60.0 + 27 / 3600.0) / 180 * 3.1415926536);

    // π is taken to ten decimals, not the double π.
    setCurve(100, 100, 200, 180, 0, 0);
    korvane::deriveAngles();
    EXPECT_EQ(design.iaRadians, 3.1415926536);
}

TEST_F(CurveElements, SlightlyNegativeArcHasNoLength) {
    design.a1 = 100;
    design.a2 = 100;
    design.radius = 200;
    design.tau1 = 0.125;
    design.tau2 = 0.125;
    design.iaRadians = 0.25 - 2e-6;
    design.arcAngle = -2e-6;
    korvane::computeLengths();
    EXPECT_EQ(design.arcLength, 0.0);
    EXPECT_DOUBLE_EQ(korvane::curveLength(), 100);
}

TEST_F(CurveElements, LaneWidthsBecomeOffsets) {
    const double right[] = {3.5, 3.5, 2.5, 0, 4, 4};
    const double left[] = {3.0, 0, 2, 2, 2};
    std::copy(std::begin(right), std::end(right), design.rightWidth);
    std::copy(std::begin(left), std::end(left), design.leftWidth);
    design.leftWidth[19] = 7;
    korvane::accumulateLaneOffsets();

    const double rightOffsets[] = {3.5, 7.0, 9.5};
    for (std::size_t i = 0; i < korvane::kLaneCapacity; ++i)
        EXPECT_EQ(design.rightWidth[i], i < 3 ? rightOffsets[i] : 0.0) << i;
    for (std::size_t i = 0; i < korvane::kLaneCapacity; ++i)
        EXPECT_EQ(design.leftWidth[i], i == 0 ? 3.0 : 0.0) << i;
}

TEST_F(CurveElements, NonPositiveSumEndsTheSide) {
    const double right[] = {3.0, -5.0, 4.0};
    std::copy(std::begin(right), std::end(right), design.rightWidth);
    korvane::accumulateLaneOffsets();
    EXPECT_EQ(design.rightWidth[0], 3.0);
    EXPECT_EQ(design.rightWidth[1], 0.0);
    EXPECT_EQ(design.rightWidth[2], 0.0);
}

TEST_F(CurveElements, WidthsThatAreNotNumbersEndTheSide) {
    const double right[] = {3.5, std::numeric_limits<double>::infinity(), 2.0};
    std::copy(std::begin(right), std::end(right), design.rightWidth);
    design.leftWidth[0] = std::numeric_limits<double>::quiet_NaN();
    design.leftWidth[1] = 3.0;
    korvane::accumulateLaneOffsets();
    EXPECT_EQ(design.rightWidth[0], 3.5);
    EXPECT_EQ(design.rightWidth[1], 0.0);
    EXPECT_EQ(design.rightWidth[2], 0.0);
    EXPECT_EQ(design.leftWidth[0], 0.0);
    EXPECT_EQ(design.leftWidth[1], 0.0);
}
