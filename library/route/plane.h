// Points and directions of the plane rectangular coordinate system: X north,
// Y east, metres; direction angles clockwise from north, in radians.
#pragma once

#include <cmath>
#include <numbers>

namespace korvane::route {

struct PlanePoint {
    double x; // north
    double y; // east

    bool operator==(const PlanePoint &) const = default;
};

constexpr double kFullTurn = 2 * std::numbers::pi;

// The angle in [0, 2π).
inline double normalisedAngle(double angle) {
    angle = std::fmod(angle, kFullTurn);
    if (angle < 0) angle += kFullTurn;
    return angle >= kFullTurn ? 0 : angle;
}

// The change from one direction to another, in (−π, π]: positive turns clockwise.
inline double turnBetween(double from, double to) {
    double change = std::remainder(to - from, kFullTurn);
    if (change <= -std::numbers::pi) change += kFullTurn;
    return change;
}

inline double distanceBetween(PlanePoint a, PlanePoint b) { return std::hypot(b.x - a.x, b.y - a.y); }

// Direction angle of the vector from a to b, in [0, 2π).
inline double directionAngle(PlanePoint a, PlanePoint b) {
    return normalisedAngle(std::atan2(b.y - a.y, b.x - a.x));
}

inline PlanePoint along(PlanePoint from, double direction, double distance) {
    return PlanePoint{from.x + distance * std::cos(direction), from.y + distance * std::sin(direction)};
}

// The point at an offset square to a direction: positive to the right of it
// (seen looking along it), negative to the left.
inline PlanePoint offsetFrom(PlanePoint from, double direction, double offset) {
    return PlanePoint{from.x - offset * std::sin(direction), from.y + offset * std::cos(direction)};
}

} // namespace korvane::route
