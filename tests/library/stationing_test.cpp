#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "geometry/curve_elements.h"
#include "geometry/stationing.h"
#include "params/c_locale.h"
#include "params/design_record.h"

namespace {

// The symmetric curve A1 = A2 = 100, R = 200, IA = 60°: clothoids of 50 m, an
// arc of 159.43951 m, CL = 259.43951 m. KA at NO.5+12.345, station pitch 20.
class Stationing : public ::testing::Test {
protected:
    static constexpr double kCurve = 259.43951024;
    static constexpr double kArc = 159.43951024;

    void SetUp() override {
        design = korvane::DesignRecord{};
        setCurve(100, 200, 60);
        design.stationPitch = 20;
        design.kaStationNo = 5;
        design.kaStationPlus = 12.345;
        std::strcpy(design.stationDirection, "L");
    }

    void setCurve(double a, double radius, double degrees) {
        design.a1 = a;
        design.a2 = a;
        design.radius = radius;
        design.iaDegrees = degrees;
        elements = korvane::computeElements(design, korvane::deriveAngles(design));
    }

    void setIntervals(std::initializer_list<double> intervals) {
        std::size_t i = 0;
        for (const double value : intervals) design.normalIntervals[i++] = value;
    }

    korvane::NormalLists prepare() const {
        korvane::CLocaleScope cLocale;
        return korvane::prepareNormals(design, elements);
    }

    static std::vector<double> list(const double (&values)[korvane::kIntervalCapacity]) {
        std::vector<double> out;
        for (const double value : values) {
            if (value == 0) break;
            out.push_back(value);
        }
        return out;
    }

    std::string label(double s) const {
        korvane::CLocaleScope cLocale;
        char text[korvane::kLabelCapacity];
        korvane::stationLabel(design, s, text, sizeof text);
        return text;
    }

    korvane::DesignRecord design{};
    korvane::CurveElements elements{};
};

void expectList(const std::vector<double> &actual, std::initializer_list<double> expected) {
    ASSERT_EQ(actual.size(), expected.size());
    std::size_t i = 0;
    for (const double value : expected) EXPECT_NEAR(actual[i++], value, 1e-7) << i;
}

} // namespace

TEST_F(Stationing, LabelsFromTheFirstKa) {
    setIntervals({30, 20, 1000});
    const korvane::NormalLists n = prepare();
    expectList(list(n.positions), {30, 50});
    expectList(list(n.clothoid1Normals), {30, 50});
    EXPECT_TRUE(list(n.arcNormals).empty());
    EXPECT_TRUE(list(n.clothoid2Normals).empty());
    EXPECT_STREQ(n.clothoid1Labels[0], "NO.7+2.345");
    EXPECT_STREQ(n.clothoid1Labels[1], "NO.8+2.345");
    EXPECT_NEAR(elements.length1, 50, 1e-12);
    EXPECT_NEAR(elements.arcLength, kArc, 1e-7);
}

TEST_F(Stationing, EveryElementFromTheFirstKa) {
    // Positions 30, 50, 150 and 250: two on the first clothoid, one on the arc
    // (100 m from the first KE), one on the second clothoid (9.43951 m from its KA).
    setIntervals({30, 20, 100, 100, 1000});
    const korvane::NormalLists n = prepare();
    expectList(list(n.clothoid1Normals), {30, 50});
    expectList(list(n.arcNormals), {100});
    expectList(list(n.clothoid2Normals), {kCurve - 250});
    EXPECT_STREQ(n.arcLabels[0], "NO.13+2.345");
    EXPECT_STREQ(n.clothoid2Labels[0], "NO.18+2.345");
}

TEST_F(Stationing, StationsFromTheSecondKa) {
    std::strcpy(design.stationDirection, "R");
    setIntervals({20, 20, 1000});
    korvane::NormalLists n = prepare();
    expectList(list(n.positions), {kCurve - 40, kCurve - 20});
    EXPECT_TRUE(list(n.clothoid1Normals).empty());
    EXPECT_TRUE(list(n.arcNormals).empty());
    expectList(list(n.clothoid2Normals), {20, 40});
    EXPECT_STREQ(n.clothoid2Labels[0], "NO.6+12.345");
    EXPECT_STREQ(n.clothoid2Labels[1], "NO.7+12.345");

    // Lower case, and positions on the arc and the first clothoid: 100 and 250
    // from the second KA.
    std::strcpy(design.stationDirection, "r");
    setIntervals({100, 150, 1000});
    n = prepare();
    expectList(list(n.clothoid1Normals), {kCurve - 250});
    expectList(list(n.arcNormals), {kArc - 50});
    EXPECT_TRUE(list(n.clothoid2Normals).empty());
    EXPECT_STREQ(n.arcLabels[0], "NO.10+12.345");
    EXPECT_STREQ(n.clothoid1Labels[0], "NO.18+2.345");
}

// Any other direction splits the positions as from the first KA and labels
// none of them: the labels are empty, whatever an earlier design was labelled.
TEST_F(Stationing, OtherDirectionsSplitWithoutLabels) {
    setIntervals({30, 100, 1000});
    std::strcpy(design.stationDirection, "X");
    const korvane::NormalLists n = prepare();
    expectList(list(n.clothoid1Normals), {30});
    expectList(list(n.arcNormals), {80});
    EXPECT_STREQ(n.clothoid1Labels[0], "");
    EXPECT_STREQ(n.arcLabels[0], "");

    std::strcpy(design.stationDirection, "l");
    EXPECT_STREQ(prepare().clothoid1Labels[0], "NO.7+2.345");
}

TEST_F(Stationing, WhatEndsTheList) {
    struct Case {
        const char *name;
        std::initializer_list<double> intervals;
        std::initializer_list<double> positions;
    };
    const Case cases[] = {
        {"empty list", {0, 1000}, {}},
        {"first interval 0", {0, 10, 10}, {}},
        {"interval 0", {10, 0, 10}, {10}},
        {"negative interval", {10, -20, 10}, {10}},
        {"negative first interval", {-10, 20}, {}},
        {"beyond the curve", {100, 100, 100, 10}, {100, 200}},
        {"first beyond the curve", {300, 1000}, {}},
        {"not a number", {10, std::nan(""), 10}, {10}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::fill(std::begin(design.normalIntervals), std::end(design.normalIntervals), 0.0);
        setIntervals(c.intervals);
        const korvane::NormalLists n = prepare();
        const std::vector<double> positions = list(n.positions);
        expectList(positions, c.positions);
        for (std::size_t j = positions.size(); j < korvane::kIntervalCapacity; ++j)
            EXPECT_EQ(n.positions[j], 0.0) << j;
        EXPECT_EQ(list(n.clothoid1Normals).size() + list(n.arcNormals).size() + list(n.clothoid2Normals).size(),
                  positions.size());
    }
}

TEST_F(Stationing, PositionsBeyondAThousandMetres) {
    // A1 = A2 = 1000, R = 2000: clothoids of 500 m, CL about 2594 m.
    setCurve(1000, 2000, 60);
    setIntervals({600, 400, 1, 1000});
    const korvane::NormalLists n = prepare();
    expectList(list(n.positions), {600, 1000});
    expectList(list(n.arcNormals), {100, 500});
}

TEST_F(Stationing, TwoHundredIntervalsWithoutEndMark) {
    design.kaStationNo = 0;
    design.kaStationPlus = 0;
    for (double &interval : design.normalIntervals) interval = 1;
    const korvane::NormalLists n = prepare();
    const std::vector<double> c1 = list(n.clothoid1Normals);
    const std::vector<double> arc = list(n.arcNormals);
    ASSERT_EQ(c1.size(), 50u);
    ASSERT_EQ(arc.size(), 150u);
    EXPECT_EQ(c1.back(), 50.0);
    EXPECT_NEAR(arc.back(), 150, 1e-9);
    EXPECT_STREQ(n.clothoid1Labels[49], "NO.2+10.000");
    EXPECT_STREQ(n.arcLabels[149], "NO.10+0.000");
    EXPECT_TRUE(list(n.clothoid2Normals).empty());
}

TEST_F(Stationing, RemaindersAtTheStationBoundary) {
    // 139.9996 from the origin: 6 stations and 19.9996, which rounds up in print.
    design.kaStationNo = 5;
    design.kaStationPlus = 0;
    EXPECT_EQ(label(39.9996), "NO.6+20.000");

    // With a pitch of 0.3 the quotient of a distance just below a whole number
    // of stations can round up to it, leaving a remainder of a few nanometres
    // below 0.
    design.stationPitch = 0.3;
    design.kaStationNo = 0;
    design.kaStationPlus = 0;
    const double s = std::nextafter(40000003 * 0.3, 0.0);
    const double n = std::floor(s / 0.3);
    const double remainder = s - n * 0.3;
    ASSERT_LT(remainder, 0.0);
    ASSERT_GT(remainder, -1e-7);
    EXPECT_EQ(label(s), "NO.40000003+0.000");
}

TEST_F(Stationing, LongLabelIsCutAtTheField) {
    design.kaStationNo = 1e30;
    char field[korvane::kLabelCapacity + 1];
    std::memset(field, 'Z', sizeof field);
    {
        korvane::CLocaleScope cLocale;
        korvane::stationLabel(design, 0, field, korvane::kLabelCapacity);
    }
    EXPECT_EQ(std::strlen(field), korvane::kLabelCapacity - 1);
    EXPECT_EQ(std::string(field), "NO.1000000000000000");
    EXPECT_EQ(field[korvane::kLabelCapacity], 'Z');

    // In the label lists the next label is not touched.
    setIntervals({10, 1000});
    const korvane::NormalLists n = prepare();
    EXPECT_EQ(std::strlen(n.clothoid1Labels[0]), korvane::kLabelCapacity - 1);
    EXPECT_STREQ(n.clothoid1Labels[1], "");
}
