#include "plan/station_marks.h"

#include "plan/plan_frame.h"
#include "plan/plan_text.h"
#include "world/output_file.h"

namespace korvane::plan {

namespace {

using route::RowKind;
using route::TableRow;

// What stands beside the row: a full station's name, an extra station's
// label (after its own name where it has one), a main point's name and station.
std::string rowText(const TableRow &row) {
    switch (row.kind) {
    case RowKind::FullStation: return row.name;
    case RowKind::Extra: return row.name == row.label ? row.label : row.name + " " + row.label;
    case RowKind::Main: break;
    }
    return row.name + " " + row.label;
}

} // namespace

void addStationMarks(const std::vector<TableRow> &rows, PlanDrawing &plan) {
    const double scale = plan.scale;
    for (const TableRow &row : rows) {
        const Point p = toDrawing(row.pose.point);
        const Point t = travelVector(row.pose.direction);
        const bool main = row.kind == RowKind::Main;
        const double half = (main ? kMainPointTick : kStationTick) * scale;
        plan.ticks.push_back(PlanLine{plus(p, leftOf(t), half), plus(p, rightOf(t), half)});
        const Point ray = main ? leftOf(t) : rightOf(t);
        plan.texts.push_back(textAlongRay(p, t, ray, scale, toCp932Text(rowText(row))));
    }
}

} // namespace korvane::plan
