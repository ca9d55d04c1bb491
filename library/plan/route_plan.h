// The plan drawing (平面図) of a route: its centre line, its IP polygon,
// the stations and main points along the line and the tables of its IPs,
// at its place in the world, with texts sized for the scale.
#pragma once

#include <vector>

#include "plan/plan_entities.h"
#include "route/loaded_route.h"
#include "route/table_rows.h"

namespace korvane::plan {

// The scales a plan is drawn at: 1/1 to 1/100000.
inline constexpr int kMinPlanScale = 1;
inline constexpr int kMaxPlanScale = 100000;

// The plan of a computed route with the rows of its coordinate table.
PlanDrawing routePlan(const route::LoadedRoute &route, const std::vector<route::TableRow> &rows, int scale);

} // namespace korvane::plan
