// The route's tables as CSV (UTF-8, CR LF): the coordinate table
// (点名,測点,追加距離,実距離,X,Y,方向角) and the width stakes
// (点名,測点,追加距離,左右,幅,X,Y). Lengths and coordinates with four
// decimals, direction angles as ddd°mm′ss.s″ clockwise from north.
#pragma once

#include <string>
#include <vector>

#include "route/route_rows.h"

namespace korvane::route {

std::string coordinateTableCsv(const std::vector<TableRow> &rows);

std::string stakeTableCsv(const std::vector<TableRow> &rows, const std::vector<Stake> &stakes);

} // namespace korvane::route
