// The normal lines a drawing leaves out, judged from the design's numbers:
// the curve length against the value the drawing's element table prints,
// and the end of the list at the curve's end, at 1000 m from the KA and at an
// interval too small to move on. The positions just before and beyond the
// curve's end are held to the library's drawing in create_dxf_test.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "design/undrawn_normals.h"

using design_model::DesignTexts;
using design_model::UndrawnReason;

namespace {

// A1 40, R 40, A2 35, IA 66°55'44.444": the sample's element table prints
// ＣＬ 82.038.
DesignTexts sample(const std::string &intervals) {
    DesignTexts d = design_model::sampleDesignTexts();
    d.intervals = intervals;
    return d;
}

// A1 = A2 = 500, R 1000, IA 60°: each clothoid 250 m turning by 0.125 rad, the
// arc 1000·(π/3 − 0.25) = 797.19755 m, CL 1297.19755 m.
DesignTexts longCurve(const std::string &intervals) {
    DesignTexts d = design_model::sampleDesignTexts();
    d.a1 = d.a2 = "500";
    d.radius = "1000";
    d.iaDegrees = "60", d.iaMinutes = "0", d.iaSeconds = "0";
    d.intervals = intervals;
    return d;
}

} // namespace

TEST(UndrawnNormals, CurveLength) {
    EXPECT_NEAR(design_model::curveLength(sample("")), 82.038, 0.0005);
    EXPECT_NEAR(design_model::curveLength(longCurve("")), 500 + 1000 * (std::numbers::pi / 3 - 0.25), 1e-6);
}

TEST(UndrawnNormals, EveryPositionDrawn) {
    EXPECT_FALSE(design_model::undrawnNormals(sample("")));
    EXPECT_FALSE(design_model::undrawnNormals(sample("9.889\n20\n20\n20")));
    // Exactly 1000 m from the KA is still drawn.
    EXPECT_FALSE(design_model::undrawnNormals(longCurve("999\n1")));
}

struct UndrawnCase {
    const char *name;
    DesignTexts design;
    int line, count;
    double position;
    UndrawnReason reason;
};

class UndrawnNormalsLeftOut : public testing::TestWithParam<UndrawnCase> {};

TEST_P(UndrawnNormalsLeftOut, FirstLineAndCount) {
    const UndrawnCase &c = GetParam();
    const auto undrawn = design_model::undrawnNormals(c.design);
    ASSERT_TRUE(undrawn);
    EXPECT_EQ(undrawn->line, c.line);
    EXPECT_EQ(undrawn->count, c.count);
    EXPECT_NEAR(undrawn->position, c.position, 1e-9);
    EXPECT_EQ(undrawn->reason, c.reason);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UndrawnNormalsLeftOut,
    testing::Values(
        UndrawnCase{"blankLinesCounted", sample("\n 90 \n"), 1, 1, 90, UndrawnReason::BeyondCurve},
        UndrawnCase{"beyondThousandMetres", longCurve("999\n\n1\n0.5\n3"), 3, 2, 1000.5, UndrawnReason::BeyondReach},
        UndrawnCase{"intervalTooSmall", longCurve("500\n1e-20\n5"), 1, 2, 500, UndrawnReason::NoAdvance}),
    [](const testing::TestParamInfo<UndrawnCase> &info) { return std::string(info.param.name); });
