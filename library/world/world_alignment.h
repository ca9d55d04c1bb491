// The curve of the design placed in the world: the tangents through BP, IP
// and EP, and the clothoid, arc and clothoid between them, in the order in
// which the line runs from BP to EP. It is a route of one IP.
#pragma once

#include "route/ip_method.h"
#include "world/placement.h"
#include "world/turn_angle.h"

namespace korvane {

// A point of the centre line: position and direction angle (radians,
// clockwise from north, [0, 2π)).
struct LinePoint {
    WorldPoint point;
    double direction;
};

struct WorldAlignment {
    Placement placement;
    TurnAngle turn;
    bool stationsFromEp = false; // the design's stations run from its second KA
    double side = 1;             // +1 turning clockwise, −1 anticlockwise

    // The elements in running order from BP: the clothoid met first and the
    // one met last, with their tangent lengths from KA to IP.
    double aIn = 0, aOut = 0;
    double lengthIn = 0, arcLength = 0, lengthOut = 0;
    double tangentIn = 0, tangentOut = 0;
    double radius = 0;

    WorldPoint ka1{}, ke1{}, ke2{}, ka2{}, centre{}, piIn{}, piOut{};

    double origin = 0;     // 追加距離 of KA1 (the KA station of the design)
    double bpDistance = 0; // 追加距離 of BP
    double epDistance = 0; // 追加距離 of EP

    route::Route route; // BP, the IP with the curve as the line meets it, EP
    double ka1Along = 0; // KA1's distance along the line from BP

    double curveLength() const { return lengthIn + arcLength + lengthOut; }

    // The centre-line point at distance u from KA1 along the line, from BP
    // (u = −(BP to KA1)) to EP.
    LinePoint at(double u) const;
};

// Places the curve of the design record (after its elements and normal
// positions were computed) on the tangents of the placement. Refuses a
// placement whose BP or EP lies inside the curve's tangent length; 0 then.
int placeAlignment(const Placement &placement, const TurnAngle &turn, WorldAlignment &alignment);

} // namespace korvane
