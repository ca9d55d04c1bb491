#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "geometry/curve_elements.h"
#include "geometry/stationing.h"
#include "params/c_locale.h"
#include "params/design_record.h"

using korvane::design;

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

    static void setCurve(double a, double radius, double degrees) {
        design.a1 = a;
        design.a2 = a;
        design.radius = radius;
        design.iaDegrees = degrees;
        korvane::deriveAngles();
    }

    static void setIntervals(std::initializer_list<double> intervals) {
        std::size_t i = 0;
        for (const double value : intervals) design.normalIntervals[i++] = value;
    }

    static void prepare() {
        korvane::CLocaleScope cLocale;
        korvane::prepareNormals();
    }

    static std::vector<double> list(const double (&values)[korvane::kIntervalCapacity]) {
        std::vector<double> out;
        for (const double value : values) {
            if (value == 0) break;
            out.push_back(value);
        }
        return out;
    }

    static std::string label(double s) {
        korvane::CLocaleScope cLocale;
        char text[korvane::kLabelCapacity];
        korvane::stationLabel(text, sizeof text, s);
        return text;
    }
};

void expectList(const std::vector<double> &actual, std::initializer_list<double> expected) {
    ASSERT_EQ(actual.size(), expected.size());
    std::size_t i = 0;
    for (const double value : expected) EXPECT_NEAR(actual[i++], value, 1e-7) << i;
}

} // namespace

TEST_F(Stationing, LabelsFromTheFirstKa) {
    setIntervals({30, 20, 1000});
    prepare();
    expectList(list(design.normalIntervals), {30, 50});
    expectList(list(design.clothoid1Normals), {30, 50});
    EXPECT_TRUE(list(design.arcNormals).empty());
    EXPECT_TRUE(list(design.clothoid2Normals).empty());
    EXPECT_STREQ(design.clothoid1Labels[0], "NO.7+2.345");
    EXPECT_STREQ(design.clothoid1Labels[1], "NO.8+2.345");
    EXPECT_NEAR(design.length1, 50, 1e-12);
    EXPECT_NEAR(design.arcLength, kArc, 1e-7);
}

TEST_F(Stationing, EveryElementFromTheFirstKa) {
    // Positions 30, 50, 150 and 250: two on the first clothoid, one on the arc
    // (100 m from the first KE), one on the second clothoid (9.43951 m from its KA).
    setIntervals({30, 20, 100, 100, 1000});
    prepare();
    expectList(list(design.clothoid1Normals), {30, 50});
    expectList(list(design.arcNormals), {100});
    expectList(list(design.clothoid2Normals), {kCurve - 250});
    EXPECT_STREQ(design.arcLabels[0], "NO.13+2.345");
    EXPECT_STREQ(design.clothoid2Labels[0], "NO.18+2.345");
}

TEST_F(Stationing, StationsFromTheSecondKa) {
    std::strcpy(design.stationDirection, "R");
    setIntervals({20, 20, 1000});
    prepare();
    expectList(list(design.normalIntervals), {kCurve - 40, kCurve - 20});
    EXPECT_TRUE(list(design.clothoid1Normals).empty());
    EXPECT_TRUE(list(design.arcNormals).empty());
    expectList(list(design.clothoid2Normals), {20, 40});
    EXPECT_STREQ(design.clothoid2Labels[0], "NO.6+12.345");
    EXPECT_STREQ(design.clothoid2Labels[1], "NO.7+12.345");

    // Lower case, and positions on the arc and the first clothoid: 100 and 250
    // from the second KA.
    SetUp();
    std::strcpy(design.stationDirection, "r");
    setIntervals({100, 150, 1000});
    prepare();
    expectList(list(design.clothoid1Normals), {kCurve - 250});
    expectList(list(design.arcNormals), {kArc - 50});
    EXPECT_TRUE(list(design.clothoid2Normals).empty());
    EXPECT_STREQ(design.arcLabels[0], "NO.10+12.345");
    EXPECT_STREQ(design.clothoid1Labels[0], "NO.18+2.345");
}

TEST_F(Stationing, OtherDirectionsSplitWithoutLabels) {
    std::strcpy(design.stationDirection, "X");
    std::strcpy(design.clothoid1Labels[0], "untouched");
    setIntervals({30, 1000});
    prepare();
    expectList(list(design.clothoid1Normals), {30});
    EXPECT_STREQ(design.clothoid1Labels[0], "untouched");

    SetUp();
    std::strcpy(design.stationDirection, "l");
    setIntervals({30, 1000});
    prepare();
    EXPECT_STREQ(design.clothoid1Labels[0], "NO.7+2.345");
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
        SetUp();
        setIntervals(c.intervals);
        prepare();
        const std::vector<double> positions = list(design.normalIntervals);
        expectList(positions, c.positions);
        for (std::size_t j = positions.size(); j < korvane::kIntervalCapacity; ++j)
            EXPECT_EQ(design.normalIntervals[j], 0.0) << j;
        EXPECT_EQ(list(design.clothoid1Normals).size() + list(design.arcNormals).size() +
                      list(design.clothoid2Normals).size(),
                  positions.size());
    }
}

TEST_F(Stationing, PositionsBeyondAThousandMetres) {
    // A1 = A2 = 1000, R = 2000: clothoids of 500 m, CL about 2594 m.
    setCurve(1000, 2000, 60);
    setIntervals({600, 400, 1, 1000});
    prepare();
    expectList(list(design.normalIntervals), {600, 1000});
    expectList(list(design.arcNormals), {100, 500});
}

TEST_F(Stationing, TwoHundredIntervalsWithoutEndMark) {
    design.kaStationNo = 0;
    design.kaStationPlus = 0;
    for (double &interval : design.normalIntervals) interval = 1;
    prepare();
    const std::vector<double> c1 = list(design.clothoid1Normals);
    const std::vector<double> arc = list(design.arcNormals);
    ASSERT_EQ(c1.size(), 50u);
    ASSERT_EQ(arc.size(), 150u);
    EXPECT_EQ(c1.back(), 50.0);
    EXPECT_NEAR(arc.back(), 150, 1e-9);
    EXPECT_STREQ(design.clothoid1Labels[49], "NO.2+10.000");
    EXPECT_STREQ(design.arcLabels[149], "NO.10+0.000");
    EXPECT_TRUE(list(design.clothoid2Normals).empty());
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
        korvane::stationLabel(field, korvane::kLabelCapacity, 0);
    }
    EXPECT_EQ(std::strlen(field), korvane::kLabelCapacity - 1);
    EXPECT_EQ(std::string(field), "NO.1000000000000000");
    EXPECT_EQ(field[korvane::kLabelCapacity], 'Z');

    // In the label arrays the next label stays as it was.
    setIntervals({10, 1000});
    std::strcpy(design.clothoid1Labels[1], "next");
    prepare();
    EXPECT_EQ(std::strlen(design.clothoid1Labels[0]), korvane::kLabelCapacity - 1);
    EXPECT_STREQ(design.clothoid1Labels[1], "next");
}
