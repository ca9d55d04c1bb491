// The points of the coordinate table, in order along the line from BP to EP,
// followed by the IP.
#pragma once

#include <string>
#include <vector>

#include "world/world_alignment.h"

namespace korvane {

enum class PointKind { Main, Station, Normal, Intersection };

struct TablePoint {
    std::string name;  // BP, KA1, KE1, KE2, KA2, EP, IP; "NO.n" for a full station; "法線" for a normal line
    std::string label; // the station label, as stationLabel writes it
    double distance;   // 追加距離: distance from the stationing origin
    LinePoint at;
    PointKind kind;
};

// Stations at most: a pitch so small that the table would exceed it is refused.
constexpr std::size_t kMaximumStations = 100000;

// The main points, every full station from BP to EP and the normal-line
// positions of the design, ordered by 追加距離; a station or normal line
// within a micrometre of a point already listed is not repeated (a main point
// wins over a station, a station over a normal line). The IP comes last: it
// is not on the centre line; its 追加距離 is measured along the first tangent
// (KA1 + T1) and its direction angle is that of IP→EP. Empty after a refusal
// (shown as a message).
std::vector<TablePoint> tablePoints(const WorldAlignment &alignment);

} // namespace korvane
