// The extent of the plan: the box of its linework and of its texts (by the
// estimate of their length), with a margin of a centimetre on paper, in
// whole millimetres: the sheet the header carries.
#pragma once

#include "plan/plan_entities.h"

namespace korvane::plan {

struct Extent {
    Point min;
    Point max;
};

// Margin around the plan, in scales (millimetres on paper).
inline constexpr double kSheetMargin = 10.0;

Extent planExtent(const PlanDrawing &plan);

} // namespace korvane::plan
