#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "drawing/normals.h"
#include "writer_test_support.h"

using namespace writer_testing;

namespace {

struct LineEntity {
    double x1, y1, x2, y2;
};
struct TextEntity {
    double x, y, height, rotationDegrees;
    std::string text;
};

double valueOf(const std::vector<Pair> &pairs, const std::string &code, std::size_t from = 0) {
    for (std::size_t i = from; i < pairs.size(); ++i)
        if (pairs[i].first == code) return std::stod(pairs[i].second);
    ADD_FAILURE() << "no group " << code;
    return 0.0;
}

LineEntity onlyLine(const std::string &content) {
    const std::vector<Pair> pairs = groupPairs(content);
    EXPECT_EQ(pairs.front(), (Pair{"0", "LINE"}));
    EXPECT_EQ(pairs.at(1), (Pair{"8", "D-WORK"}));
    return {valueOf(pairs, "10"), valueOf(pairs, "20"), valueOf(pairs, "11"), valueOf(pairs, "21")};
}

TextEntity onlyText(const std::string &content) {
    const std::vector<Pair> pairs = groupPairs(content);
    EXPECT_EQ(pairs.front(), (Pair{"0", "TEXT"}));
    EXPECT_EQ(pairs.at(1), (Pair{"8", "D-BMK-HTXT"}));
    return {valueOf(pairs, "10"), valueOf(pairs, "20"), valueOf(pairs, "40"), valueOf(pairs, "50"),
            pairs.back().second};
}

class NormalsAndLabels : public DrawingRunTest {
protected:
    void setDirection(const char *direction) {
        std::snprintf(design.stationDirection, sizeof design.stationDirection, "%s", direction);
    }
    // What draw writes on a new run of the record as it stands.
    std::string drawn(auto draw) {
        newRun();
        openEmptyOutput();
        draw();
        return closeAndReadOutput();
    }
    const double baseY = 297.0 * 250.0;
};

} // namespace

TEST_F(NormalsAndLabels, KaFromTheLeftOnALeftTurn) {
    design.angles.iaRadians = 0.6;
    setDirection("L");
    const std::string content = drawn([&] {
        korvane::writeKaNormalLine(run(), {0.0, baseY});
        korvane::writeLabel(run(), {0.0, baseY}, 0.0, "K.A.");
    });
    EXPECT_EQ(content, "0\nLINE\n8\nD-WORK\n10\n0.000000\n20\n64250.000000\n11\n0.000000\n21\n"
                       "84250.000000\n"
                       "0\nTEXT\n8\nD-BMK-HTXT\n10\n250.000000\n20\n74000.000000\n40\n375.000000\n"
                       "41\n1\n50\n-90.000000\n1\nK.A.\n");
}

TEST_F(NormalsAndLabels, KaFromTheRightOnALeftTurn) {
    design.angles.iaRadians = 0.6;
    setDirection("R");
    const TextEntity label = onlyText(drawn([&] { korvane::writeLabel(run(), {0.0, baseY}, 0.0, "K.A."); }));
    EXPECT_DOUBLE_EQ(label.x, -250.0);
    EXPECT_DOUBLE_EQ(label.y, 74500.0);
    EXPECT_DOUBLE_EQ(label.rotationDegrees, 90.0);
    EXPECT_DOUBLE_EQ(label.height, 375.0);
    EXPECT_EQ(label.text, "K.A.");
}

TEST_F(NormalsAndLabels, KaRuleIsVerticalForEitherTurn) {
    for (double ia : {0.6, -0.6, 0.0}) {
        design.angles.iaRadians = ia;
        const LineEntity line = onlyLine(drawn([&] { korvane::writeKaNormalLine(run(), {1234.0, 5678.0}); }));
        EXPECT_DOUBLE_EQ(line.x1, 1234.0);
        EXPECT_DOUBLE_EQ(line.x2, 1234.0);
        EXPECT_DOUBLE_EQ(line.y1, 5678.0 - 10000.0);
        EXPECT_DOUBLE_EQ(line.y2, 5678.0 + 10000.0);
    }
}

TEST_F(NormalsAndLabels, NormalLinesAre20000LongSquareToTheTangentAndCentredOnThePoint) {
    const korvane::Point p{43210.5, 71234.25};
    for (double ia : {0.7, -0.7}) {
        for (double tau : {0.0, 0.1, 0.5, 1.2, -0.3}) {
            design.angles.iaRadians = ia;
            const LineEntity line = onlyLine(drawn([&] { korvane::writeNormalLine(run(), p, tau); }));
            const double dx = line.x2 - line.x1, dy = line.y2 - line.y1;
            EXPECT_NEAR(std::hypot(dx, dy), 20000.0, 1e-5);
            // The centre-line tangent in the drawing: angle tau on a left turn,
            // -tau on a right turn.
            const double tx = std::cos(tau), ty = (ia > 0 ? 1.0 : -1.0) * std::sin(tau);
            EXPECT_NEAR(dx * tx + dy * ty, 0.0, 1e-5) << "ia " << ia << " tau " << tau;
            EXPECT_NEAR((line.x1 + line.x2) / 2, p.x, 1e-6);
            EXPECT_NEAR((line.y1 + line.y2) / 2, p.y, 1e-6);
        }
    }
}

// The label stands one scale off the centre line and one scale off the
// normal, and runs along the normal away from the centre line: to the right
// of the direction of travel when stations are counted from the left, to the
// left when counted from the right.
TEST_F(NormalsAndLabels, LabelsStandBesideTheNormalForEveryDirectionAndTurn) {
    const double pi = 3.1415926536;
    const korvane::Point p{30000.0, 80000.0};
    for (const char *direction : {"L", "R", "r", ""}) {
        const bool fromRight = direction[0] == 'R' || direction[0] == 'r';
        for (double ia : {0.8, -0.8}) {
            for (double angle : {0.0, 0.2, 0.9}) {
                design.angles.iaRadians = ia;
                setDirection(direction);
                const TextEntity label =
                    onlyText(drawn([&] { korvane::writeLabel(run(), p, angle, "NO.3+4.000"); }));
                const double travel = ia > 0 ? angle : -angle; // tangent angle in the drawing
                const double tx = std::cos(travel), ty = std::sin(travel);
                // Unit normal to the right (-ty, ... ) or to the left of travel.
                const double nx = fromRight ? -ty : ty, ny = fromRight ? tx : -tx;
                const double along = fromRight ? -250.0 : 250.0;
                EXPECT_NEAR(label.x, p.x + along * tx + 250.0 * nx, 1e-5) << direction << ia << angle;
                EXPECT_NEAR(label.y, p.y + along * ty + 250.0 * ny, 1e-5) << direction << ia << angle;
                const double rotation = label.rotationDegrees * pi / 180.0;
                EXPECT_NEAR(std::cos(rotation), nx, 1e-6) << direction << ia << angle;
                EXPECT_NEAR(std::sin(rotation), ny, 1e-6) << direction << ia << angle;
                EXPECT_DOUBLE_EQ(label.height, 375.0);
            }
        }
    }
}
