// The route's calculation sheet (線形計算書) as a document: sections of
// tables, each cell a finished text, so that the same page structure can be
// written as a text grid, handed to a printer or read by a host.
#pragma once

#include <string>
#include <vector>

#include "route/loaded_route.h"
#include "route/table_rows.h"

namespace korvane::route {

enum class CellAlign { Left, Right };

struct SheetColumn {
    std::string title;
    CellAlign align = CellAlign::Left;
};

struct SheetTable {
    std::string caption; // may be empty
    std::vector<SheetColumn> columns;
    std::vector<std::vector<std::string>> rows; // as many cells as columns
};

struct SheetSection {
    std::string heading;
    std::vector<SheetTable> tables;
};

struct CalculationSheet {
    std::string title;
    std::vector<SheetSection> sections;
};

// The sheet: the conditions, the IP table, one element table per curve,
// the main points and stations, and the checks' warnings (warnings: the
// messages of the route and of its stationing).
CalculationSheet calculationSheet(const LoadedRoute &route, const std::vector<TableRow> &rows,
                                  const std::vector<Message> &warnings);

} // namespace korvane::route
