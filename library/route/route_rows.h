// The rows every table of a loaded route is made of, and the width stakes
// beside them.
#pragma once

#include <vector>

#include "route/loaded_route.h"
#include "route/table_rows.h"

namespace korvane::route {

// The rows of the coordinate table: every main point, full station and
// extra station in order along the line. Empty when the route or its
// stationing is refused; the stationing's refusals and warnings are added
// to messages.
std::vector<TableRow> loadedRows(const LoadedRoute &route, std::vector<Message> &messages);

// A width stake: the point at the width to one side of a row's centre point.
struct Stake {
    std::size_t row; // index into the rows
    int side;        // −1 left, +1 right
    double width;
    PlanePoint point;
};

// The stakes of every row, left before right; a side of width 0 has none.
// Square to the line; where the line bends at a row (a bend point), on the
// bisector where the two offset lines meet, so that the stake keeps the
// width from both legs.
std::vector<Stake> stakes(const Alignment &alignment, const std::vector<TableRow> &rows, StakeWidths widths);

} // namespace korvane::route
