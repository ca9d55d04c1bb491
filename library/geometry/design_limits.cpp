#include "geometry/design_limits.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "design/design_limits.h"
#include "geometry/stationing.h"

namespace korvane {

namespace {

struct LaneSide {
    const double *widths;
    const double *methods;
    const double *amounts;
};

// The widest a lane line gets: with any method above 0 its whole widening
// amount is reached at KE and kept along the arc.
double fullWidening(double method, double amount) { return method > 0 ? amount : 0; }

// Checks one side's lines in use. Widened (or narrowed) to its full amount a
// line stays on its own side of the centre line, and on the inside of the
// curve nearer to the centre line than the arc's centre is.
bool sideIsDrawable(const LaneSide &side, bool inside, double radius) {
    double offset = 0;
    for (std::size_t i = 0; i < kLaneCapacity && side.widths[i] != 0; ++i) {
        const double width = side.widths[i];
        if (!(width > 0) || !std::isfinite(width)) return false;
        if (!std::isfinite(side.amounts[i])) return false;
        offset += width;
        const double widest = offset + fullWidening(side.methods[i], side.amounts[i]);
        if (!(widest > 0)) return false;
        if (inside && !(widest < radius)) return false;
    }
    return true;
}

// The label's text with the station number of the distance d from the
// stationing origin and the longest plus distance, which is below the pitch.
bool longestLabelFits(double d, double pitch) {
    const int length = stationText(nullptr, 0, std::floor(d / pitch), pitch);
    return length > 0 && static_cast<std::size_t>(length) < kLabelCapacity;
}

// Lengths as the drawing run computes them: the arc only when its angle is positive.
double curveReach(const DesignRecord &design, const CurveAngles &angles) {
    const double r = design.radius;
    const double arc = angles.arcAngle > 0 ? r * angles.arcAngle : 0;
    return design.a1 * design.a1 / r + arc + design.a2 * design.a2 / r;
}

} // namespace

bool laneDataIsDrawable(const DesignRecord &design, const CurveAngles &angles) {
    const LaneSide right{design.rightWidth, design.rightMethod, design.rightWidening};
    const LaneSide left{design.leftWidth, design.leftMethod, design.leftWidening};
    // A curve that turns left (positive IA) has its left lines inside.
    const bool leftInside = angles.iaRadians > 0;
    return sideIsDrawable(right, !leftInside, design.radius) && sideIsDrawable(left, leftInside, design.radius);
}

bool stationingIsDrawable(const DesignRecord &design, const CurveAngles &angles) {
    const double no = design.kaStationNo;
    const double plus = design.kaStationPlus;
    if (!std::isfinite(no) || std::floor(no) != no) return false;
    if (!(plus >= 0 && plus < design.stationPitch)) return false;
    // Labels run from the KA at the stationing origin to the last normal line,
    // which stands before the end of the curve and within kMaxNormalPosition.
    const double origin = no * design.stationPitch + plus;
    const double reach = std::min(curveReach(design, angles), kMaxNormalPosition);
    return std::isfinite(origin + reach) && longestLabelFits(origin, design.stationPitch) &&
           longestLabelFits(origin + reach, design.stationPitch);
}

} // namespace korvane
