#include "geometry/curve_elements.h"

#include <cmath>
#include <span>

#include "geometry/clothoid.h"
#include "params/design_record.h"

namespace korvane {

namespace {

// IA in degrees, signed. The front end writes a negative degrees value for one
// curve direction with positive minutes and seconds, so any negative part
// makes the whole angle negative.
double signedDegrees() {
    const double magnitude = std::fabs(design.iaDegrees) + std::fabs(design.iaMinutes) / 60 +
                             std::fabs(design.iaSeconds) / 60 / 60;
    if (design.iaDegrees >= 0 && design.iaMinutes >= 0 && design.iaSeconds >= 0) return magnitude;
    return -magnitude;
}

// Widths from the previous line become offsets from the centre line; the
// first zero (or non-positive) sum ends the side and clears the rest. A width
// that is not a finite number ends the side as well: no line can be drawn at
// an infinite or undefined offset.
void accumulateSide(std::span<double, kLaneCapacity> offsets) {
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
}

} // namespace

void deriveAngles() {
    design.iaRadians = signedDegrees() / 180 * kPi;
    design.tau1 = design.a1 * design.a1 / (design.radius * (design.radius * 2));
    design.tau2 = design.a2 * design.a2 / (design.radius * (design.radius * 2));
    design.arcAngle = std::fabs(design.iaRadians) - (design.tau1 + design.tau2);
}

void computeLengths() {
    design.length1 = design.a1 * design.a1 / design.radius;
    design.length2 = design.a2 * design.a2 / design.radius;
    design.arcLength = design.radius * design.arcAngle;
    // A negative arc that validation let through within its tolerance: the
    // two clothoids meet without an arc.
    if (std::fabs(design.iaRadians) - (design.tau1 + design.tau2) < 0) design.arcLength = 0;
}

void accumulateLaneOffsets() {
    accumulateSide(design.rightWidth);
    accumulateSide(design.leftWidth);
}

void computeElements() {
    const double r = design.radius;

    const Point end1 = clothoidPoint(design.a1, design.a1 * design.a1 / r);
    const Point end2 = clothoidPoint(design.a2, design.a2 * design.a2 / r);
    design.x1 = end1.x;
    design.y1 = end1.y;
    design.x2 = end2.x;
    design.y2 = end2.y;

    design.xm1 = design.x1 - std::sin(design.tau1) * r;
    design.xm2 = design.x2 - std::sin(design.tau2) * r;
    design.shift1 = std::cos(design.tau1) * r + design.y1 - r;
    design.shift2 = std::cos(design.tau2) * r + design.y2 - r;

    // The shifted circle touches both tangents: at R + ΔR1 from the first and
    // R + ΔR2 from the second; D moves the intersection along each tangent.
    const double ia = std::fabs(design.iaRadians);
    const double d = design.shift1 - design.shift2;
    design.tangentW = std::tan(ia / 2) * (r + design.shift2);
    design.tangent1 = design.xm1 + design.tangentW - std::cos(ia) * d / std::sin(ia);
    design.tangent2 = design.xm2 + design.tangentW + d / std::sin(ia);
}

} // namespace korvane
