// Lane points reuse what the lane before them took from the clothoid; the
// points must stay exactly those of the rule, whatever was stepped before:
// lane after lane, another pitch, another clothoid, more steps than are kept,
// on a curve that turns either way.
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstring>
#include <vector>

#include "drawing/drawing_buffers.h"
#include "drawing/drawing_frame.h"
#include "drawing/lane_points.h"
#include "geometry/clothoid.h"
#include "params/design_record.h"

using korvane::Point;

namespace {

constexpr double kScale = 250.0;
constexpr double kRadius = 300.0;

// The lane point by the rule itself: centre point (X, Y) and tangent angle τ
// at s, the widened distance t, and the offset across the tangent.
Point rulePoint(bool turnsLeft, double A, double s, double w, double method, double amount) {
    const double tau = s * s / (2.0 * A * A);
    const Point c = korvane::clothoidPoint(A, s);
    const double r = s / (A * A / kRadius);
    double widening = 0.0;
    if (method == 1.0) widening = amount * r;
    if (method == 2.0) widening = amount * (4.0 * r * r * r - 3.0 * r * r * r * r);
    const double t = w >= 0 ? w + widening : w - widening;
    const double baseY = 297.0 * kScale;
    if (turnsLeft)
        return Point{(c.x - t * std::sin(tau)) * 1000.0, baseY + (c.y + t * std::cos(tau)) * 1000.0};
    return Point{(c.x + t * std::sin(tau)) * 1000.0, baseY + (t * std::cos(tau) - c.y) * 1000.0};
}

struct Lane {
    double w;
    double method;
    double amount;
};

// The lane points of one drawing of a curve turning by iaRadians.
korvane::LanePoints lanePointsOf(double iaRadians, korvane::DrawingBuffers &buffers) {
    korvane::DesignRecord design{};
    design.scale = kScale;
    design.radius = kRadius;
    design.angles.iaRadians = iaRadians;
    return korvane::LanePoints(korvane::DrawingFrame(design), kRadius, buffers.laneBases());
}

// Steps every lane over the distances and counts the points that differ
// from the rule in any bit.
int mismatchesOver(korvane::LanePoints &lanePoints, bool turnsLeft, double A, const std::vector<double> &distances,
                   const std::vector<Lane> &lanes) {
    int mismatches = 0;
    for (const Lane &lane : lanes)
        for (double s : distances) {
            const Point got = lanePoints.at(A, s, lane.w, lane.method, lane.amount);
            const Point want = rulePoint(turnsLeft, A, s, lane.w, lane.method, lane.amount);
            if (std::memcmp(&got, &want, sizeof got) != 0) ++mismatches;
        }
    return mismatches;
}

std::vector<double> stepping(double length, double pitch) {
    std::vector<double> s;
    for (double d = pitch; d < length; d += pitch) s.push_back(d);
    s.push_back(length);
    return s;
}

} // namespace

TEST(LanePoint, EveryLaneFollowsTheRuleWhateverWasSteppedBefore) {
    const std::vector<Lane> lanes = {{3.5, 1.0, 0.5}, {7.0, 2.0, 0.5}, {-3.5, 0.0, 0.0}, {-7.0, 2.0, 1.0}};

    korvane::DrawingBuffers buffers;
    korvane::LanePoints left = lanePointsOf(1.0, buffers);
    EXPECT_EQ(mismatchesOver(left, true, 300.0, stepping(300.0, 0.02), lanes), 0);  // lane after lane
    EXPECT_EQ(mismatchesOver(left, true, 300.0, stepping(300.0, 0.01), lanes), 0);  // same clothoid, finer pitch
    EXPECT_EQ(mismatchesOver(left, true, 200.0, stepping(133.3, 0.01), lanes), 0);  // another clothoid
    EXPECT_EQ(mismatchesOver(left, true, 300.0, stepping(300.0, 0.005), lanes), 0); // more steps than are kept

    // Stepping that snaps to normal positions, with a position repeated.
    std::vector<double> snapped = stepping(50.0, 0.1);
    snapped.insert(snapped.begin() + 100, {10.05, 10.05});
    EXPECT_EQ(mismatchesOver(left, true, 100.0, snapped, lanes), 0);

    // The same distances on a curve that turns the other way, in the table
    // the other curve has filled.
    korvane::LanePoints right = lanePointsOf(-1.0, buffers);
    EXPECT_EQ(mismatchesOver(right, false, 100.0, snapped, lanes), 0);
}
