#include "world/world_alignment.h"

#include <cmath>
#include <cstdio>
#include <numbers>

#include "geometry/clothoid.h"
#include "geometry/stationing.h"
#include "params/design_record.h"
#include "params/message_box.h"

namespace korvane {

namespace {

WorldPoint along(WorldPoint from, double direction, double distance) {
    return WorldPoint{from.x + distance * std::cos(direction), from.y + distance * std::sin(direction)};
}

// Moves from a point by a along the direction and b towards the inside of the turn.
WorldPoint offset(WorldPoint from, double direction, double side, double a, double b) {
    const double c = std::cos(direction);
    const double s = std::sin(direction);
    return WorldPoint{from.x + a * c - b * side * s, from.y + a * s + b * side * c};
}

double normalised(double angle) {
    const double full = 2 * std::numbers::pi;
    angle = std::fmod(angle, full);
    return angle < 0 ? angle + full : angle;
}

// Where the tangents at the two ends of a whole clothoid meet, as a distance
// from its KA along the KA's tangent.
double clothoidPiDistance(double a, double length) {
    const Point end = clothoidPoint(a, length);
    const double tau = length * length / (2 * a * a);
    return end.x - end.y / std::tan(tau);
}

// The elements in running order. With stations from the design's second KA,
// the line runs from that KA: its clothoid is met first.
void takeElements(WorldAlignment &w) {
    const CurveElements &e = design.elements;
    w.stationsFromEp = stationsFromRight(design);
    w.radius = design.radius;
    w.arcLength = e.arcLength;
    w.aIn = w.stationsFromEp ? design.a2 : design.a1;
    w.aOut = w.stationsFromEp ? design.a1 : design.a2;
    w.lengthIn = w.stationsFromEp ? e.length2 : e.length1;
    w.lengthOut = w.stationsFromEp ? e.length1 : e.length2;
    w.tangentIn = w.stationsFromEp ? e.tangent2 : e.tangent1;
    w.tangentOut = w.stationsFromEp ? e.tangent1 : e.tangent2;
    w.origin = design.kaStationNo * design.stationPitch + design.kaStationPlus;
}

bool legHoldsTangent(double leg, double tangent, const char *what) {
    if (leg >= tangent) return true;
    char text[256];
    std::snprintf(text, sizeof text,
                  "配置ファイル: %sの距離 %.3f m が接線長 %.3f m より短く、曲線が収まりません。", what,
                  leg, tangent);
    showError(text);
    return false;
}

void placeMainPoints(WorldAlignment &w) {
    const Placement &p = w.placement;
    const double in = w.turn.inDirection;
    const double out = w.turn.outDirection;
    w.ka1 = along(p.ip, in, -w.tangentIn);
    w.ka2 = along(p.ip, out, w.tangentOut);
    w.ke1 = w.at(w.lengthIn).point;
    const double keDirection = in + w.side * w.lengthIn * w.lengthIn / (2 * w.aIn * w.aIn);
    w.centre = offset(w.ke1, keDirection, w.side, 0, w.radius);
    w.ke2 = w.at(w.lengthIn + w.arcLength).point;
    w.piIn = along(w.ka1, in, clothoidPiDistance(w.aIn, w.lengthIn));
    w.piOut = along(w.ka2, out, -clothoidPiDistance(w.aOut, w.lengthOut));
}

} // namespace

LinePoint WorldAlignment::at(double u) const {
    const double in = turn.inDirection;
    const double out = turn.outDirection;
    const double arcEnd = lengthIn + arcLength;
    if (u < 0) return LinePoint{along(ka1, in, u), in};
    if (u <= lengthIn) {
        const Point c = clothoidPoint(aIn, u);
        return LinePoint{offset(ka1, in, side, c.x, c.y), normalised(in + side * u * u / (2 * aIn * aIn))};
    }
    if (u <= arcEnd) {
        const double direction = in + side * (lengthIn * lengthIn / (2 * aIn * aIn) + (u - lengthIn) / radius);
        // From the centre, back across the inside of the turn.
        return LinePoint{offset(centre, direction, side, 0, -radius), normalised(direction)};
    }
    const double total = curveLength();
    if (u <= total) {
        const double v = total - u;
        const Point c = clothoidPoint(aOut, v);
        return LinePoint{offset(ka2, out, side, -c.x, c.y), normalised(out - side * v * v / (2 * aOut * aOut))};
    }
    return LinePoint{along(ka2, out, u - total), out};
}

int placeAlignment(const Placement &placement, const TurnAngle &turn, WorldAlignment &w) {
    w = WorldAlignment{};
    w.placement = placement;
    w.turn = turn;
    w.side = turn.right ? 1.0 : -1.0;
    takeElements(w);
    const double inLeg = std::hypot(placement.ip.x - placement.bp.x, placement.ip.y - placement.bp.y);
    const double outLeg = std::hypot(placement.ep.x - placement.ip.x, placement.ep.y - placement.ip.y);
    if (!legHoldsTangent(inLeg, w.tangentIn, "BP から IP まで") ||
        !legHoldsTangent(outLeg, w.tangentOut, "IP から EP まで"))
        return 0;
    placeMainPoints(w);
    w.bpDistance = w.origin - (inLeg - w.tangentIn);
    w.epDistance = w.origin + w.curveLength() + (outLeg - w.tangentOut);
    return 1;
}

} // namespace korvane
