// The coordinate table (中心線座標表) as CSV: one header row, one row per
// point along the line, then the IP.
#pragma once

#include <string>
#include <vector>

#include "world/table_points.h"

namespace korvane {

// The table in UTF-8 with CR LF line ends: 点名,測点,追加距離,X,Y,方向角;
// lengths with four decimals, direction angles as ddd°mm′ss.s″.
std::string coordinateTableText(const std::vector<TablePoint> &points);

// Writes the table in cp932, or in UTF-8 after a byte-order mark; 0 after a
// message when the file cannot be written.
int writeCoordinateTable(const char *path, const std::vector<TablePoint> &points, bool utf8WithBom);

} // namespace korvane
