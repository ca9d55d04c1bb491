#include "plan/route_plan.h"

#include "plan/centre_line.h"
#include "plan/ip_marks.h"
#include "plan/station_marks.h"

namespace korvane::plan {

PlanDrawing routePlan(const route::LoadedRoute &route, const std::vector<route::TableRow> &rows, int scale) {
    PlanDrawing plan;
    plan.scale = scale;
    plan.centre = centreLine(route.alignment);
    addIpMarks(route.ipResults, plan);
    addStationMarks(rows, plan);
    return plan;
}

} // namespace korvane::plan
