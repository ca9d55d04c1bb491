// The intersection angle IA and the turn direction at the IP, derived from
// the three placement points.
#pragma once

#include <cstdint>

#include "world/placement.h"

namespace korvane {

// The shortest leg and the smallest angle that still define a turn.
constexpr double kMinimumLeg = 0.001;      // metres
constexpr double kMinimumTurnSeconds = 1e-6; // seconds of arc

struct TurnAngle {
    bool right = false;        // clockwise seen on the map (the direction angle grows)
    std::int64_t degrees = 0;  // IA, rounded to a microsecond of arc
    std::int64_t minutes = 0;
    double seconds = 0;
    double inDirection = 0;    // direction angle BP→IP, radians in [0, 2π)
    double outDirection = 0;   // direction angle IP→EP
};

// IA from BP, IP and EP. Refuses coincident points, points on one line and a
// reversal (IA of 180° or more) with a message; 0 then.
int deriveTurnAngle(const Placement &placement, TurnAngle &turn);

// The IA as the parameter file and the design record carry it: its three
// parts, with the minus of a curve drawn 下 on the first part that is not 0
// (the reader takes any negative part to make the whole angle negative).
struct SignedTurnParts {
    std::int64_t degrees = 0;
    std::int64_t minutes = 0;
    double seconds = 0;
};
SignedTurnParts signedTurnParts(const TurnAngle &turn, bool upward);

} // namespace korvane
