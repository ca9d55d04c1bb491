// The rows of the coordinate table: every main point, every full station
// (NO.n, the multiples of the pitch in station values) and every extra
// station, in order along the line, for any alignment.
#pragma once

#include <string>
#include <vector>

#include "route/alignment.h"
#include "route/ip_method.h"
#include "route/main_point.h"
#include "route/stationing.h"

namespace korvane::route {

enum class RowKind { Main, FullStation, Extra };

struct TableRow {
    std::string name;  // 点名: the main point's, "NO.n", or the extra station's
    std::string label; // 測点, as the drawing writes it
    double station;    // 追加距離 (after equations)
    double distance;   // 実距離: along the line from its start
    Pose pose;         // X, Y, 方向角 (and the curvature)
    RowKind kind;
    int ip;            // a main point's IP; −1 otherwise
};

// Rows at most; a pitch so small that the table would exceed it is refused.
constexpr std::size_t kMaxTableRows = 2000000;

// The rows in order along the line. A station within a micrometre of a row
// already listed is not repeated: a main point wins over a full station, a
// full station over an extra station; main points are all kept. An extra
// station outside the line's stations is left out with a warning. Empty
// after a refusal (the map's, or too many rows).
std::vector<TableRow> tableRows(const Alignment &alignment, const std::vector<MainPoint> &mainPoints,
                                const StationMap &stations, const std::vector<ExtraStation> &extras,
                                std::vector<Message> &messages);

// The same for a line and its stationing: the station map made, then the
// rows.
std::vector<TableRow> stationedRows(const Alignment &alignment, const std::vector<MainPoint> &mainPoints,
                                    const Stationing &stationing, std::vector<Message> &messages);

// The same for a route of the IP method and its stationing; empty when the
// route or the stationing was refused.
std::vector<TableRow> routeRows(const Route &route, const Stationing &stationing, std::vector<Message> &messages);

} // namespace korvane::route
