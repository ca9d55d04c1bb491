// Stationing (測点): the station of BP, the pitch, station equations
// (ブレーキ) and extra stations (プラス杭), applied to any alignment.
#pragma once

#include <string>
#include <vector>

#include "route/message.h"

namespace korvane::route {

// "back = ahead" in running station distance: where the station reaches
// back, it becomes ahead and runs on from there while the line goes on.
struct StationEquation {
    double back;
    double ahead;

    bool operator==(const StationEquation &) const = default;
};

struct ExtraStation {
    double station;   // 追加距離 (after the equations before it)
    std::string name; // empty: the station label

    bool operator==(const ExtraStation &) const = default;
};

struct Stationing {
    double bpStation = 0; // 追加距離 of BP
    double pitch = 20;
    std::vector<StationEquation> equations; // in running order
    std::vector<ExtraStation> extras;

    bool operator==(const Stationing &) const = default;
};

// The station distance of NO.number + plus.
inline double stationDistance(double number, double plus, double pitch) { return number * pitch + plus; }

// A stretch of the line over which the station runs without a break.
struct StationPiece {
    double from;    // distance along the line where it begins (BP: 0, or an equation)
    double to;      // where it ends (the next equation, or the line's end)
    double station; // 追加距離 at `from`
};

struct StationMap {
    double pitch = 20;
    std::vector<StationPiece> pieces; // in order; empty after a refusal
};

// The pieces of a line of the given length. A pitch that is not positive,
// a BP station that is no number, or an equation whose back station lies
// outside the stretch it ends are refused (added to messages).
StationMap mapStations(const Stationing &stationing, double length, std::vector<Message> &messages);

// 追加距離 at a distance along the line (at an equation, the station ahead).
double stationAt(const StationMap &map, double distance);

// The distances along the line where a station occurs: none outside the
// line or in the gap of an equation, two where an equation repeats it.
std::vector<double> distancesAt(const StationMap &map, double station);

// The label as the drawing writes it, "NO.n+m.mmm"; a remainder within a
// micrometre of the pitch is the next full station.
std::string stationLabel(double station, double pitch);

// A full station labelled by its own number: "NO.n+0.000".
std::string fullStationLabel(double number);

} // namespace korvane::route
