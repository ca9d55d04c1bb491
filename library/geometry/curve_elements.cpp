#include "geometry/curve_elements.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "geometry/clothoid.h"
#include "params/design_record.h"

namespace korvane {

namespace {

// IA in degrees, signed. The front end writes a negative degrees value for one
// curve direction with positive minutes and seconds, so any negative part
// makes the whole angle negative.
double signedDegrees(const DesignRecord &design) {
    const double magnitude = std::fabs(design.iaDegrees) + std::fabs(design.iaMinutes) / 60 +
                             std::fabs(design.iaSeconds) / 60 / 60;
    if (design.iaDegrees >= 0 && design.iaMinutes >= 0 && design.iaSeconds >= 0) return magnitude;
    return -magnitude;
}

} // namespace

CurveAngles deriveAngles(const DesignRecord &design) {
    CurveAngles angles;
    angles.iaRadians = signedDegrees(design) / 180 * kPi;
    angles.tau1 = design.a1 * design.a1 / (design.radius * (design.radius * 2));
    angles.tau2 = design.a2 * design.a2 / (design.radius * (design.radius * 2));
    angles.arcAngle = std::fabs(angles.iaRadians) - (angles.tau1 + angles.tau2);
    return angles;
}

CurveElements computeElements(const DesignRecord &design, const CurveAngles &angles) {
    const double r = design.radius;
    CurveElements e;

    e.length1 = design.a1 * design.a1 / r;
    e.length2 = design.a2 * design.a2 / r;
    e.arcLength = r * angles.arcAngle;
    // A negative arc that validation let through within its tolerance: the
    // two clothoids meet without an arc.
    if (std::fabs(angles.iaRadians) - (angles.tau1 + angles.tau2) < 0) e.arcLength = 0;

    const Point end1 = clothoidPoint(design.a1, design.a1 * design.a1 / r);
    const Point end2 = clothoidPoint(design.a2, design.a2 * design.a2 / r);
    e.x1 = end1.x;
    e.y1 = end1.y;
    e.x2 = end2.x;
    e.y2 = end2.y;

    e.xm1 = e.x1 - std::sin(angles.tau1) * r;
    e.xm2 = e.x2 - std::sin(angles.tau2) * r;
    e.shift1 = std::cos(angles.tau1) * r + e.y1 - r;
    e.shift2 = std::cos(angles.tau2) * r + e.y2 - r;

    // The shifted circle touches both tangents: at R + ΔR1 from the first and
    // R + ΔR2 from the second; D moves the intersection along each tangent.
    const double ia = std::fabs(angles.iaRadians);
    const double d = e.shift1 - e.shift2;
    e.tangentW = std::tan(ia / 2) * (r + e.shift2);
    e.tangent1 = e.xm1 + e.tangentW - std::cos(ia) * d / std::sin(ia);
    e.tangent2 = e.xm2 + e.tangentW + d / std::sin(ia);
    return e;
}

// Widths from the previous line become offsets from the centre line. A width
// that is not a finite number ends the side as well: no line can be drawn at
// an infinite or undefined offset.
std::array<double, kLaneCapacity> laneOffsets(const double (&widths)[kLaneCapacity]) {
    std::array<double, kLaneCapacity> offsets;
    std::copy(std::begin(widths), std::end(widths), offsets.begin());
    bool stop = false;
    if (!std::isfinite(offsets[0])) {
        offsets[0] = 0;
        stop = true;
    }
    for (std::size_t i = 1; i < offsets.size(); ++i) {
        if (stop) {
            offsets[i] = 0;
            continue;
        }
        offsets[i] = offsets[i] + offsets[i - 1];
        if (offsets[i] == offsets[i - 1] || !(offsets[i] > 0) || !std::isfinite(offsets[i])) {
            offsets[i] = 0;
            stop = true;
        }
    }
    return offsets;
}

} // namespace korvane
