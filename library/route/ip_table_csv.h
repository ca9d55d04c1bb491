// The IP table as CSV: a header row naming the columns 点名, X, Y, A1, R,
// A2, R2, AM and LC in any order (X and Y needed, the others as used), then
// one row per point from BP to EP; an empty cell is a value not used.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "route/ip_input.h"

namespace korvane::route {

// Reads the table from its text (UTF-8). False with one Japanese message
// naming the line, the column and the text found when a row cannot be read.
bool readIpTable(std::string_view text, std::vector<IpInput> &points, std::string &problem);

} // namespace korvane::route
