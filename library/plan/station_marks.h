// The marks along the centre line: a tick across the line with its label
// "NO.n" at every full station and its station label at every extra
// station (to the right of travel), and a longer tick with the name and the
// station at every main point (to the left).
#pragma once

#include <vector>

#include "plan/plan_entities.h"
#include "route/table_rows.h"

namespace korvane::plan {

// Half the length of a station's tick and of a main point's, in scales
// (millimetres on paper).
inline constexpr double kStationTick = 1.0;
inline constexpr double kMainPointTick = 2.0;

// The ticks and texts of the rows of the coordinate table.
void addStationMarks(const std::vector<route::TableRow> &rows, PlanDrawing &plan);

} // namespace korvane::plan
