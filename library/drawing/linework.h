// The linework of the curve: centre line and lane lines of both clothoids,
// the arc with its lane arcs and the two tangents.
#pragma once

#include <optional>

#include "drawing/drawing_run.h"
#include "geometry/clothoid.h"

namespace korvane {

// The first clothoid, opening the output for appending; its KE as drawn, or
// nothing after a failure that has been shown.
std::optional<Point> writeFirstClothoid(DrawingRun &run);
// The arc from the first KE as drawn; nothing when the arc angle is not positive.
void writeArcLinework(DrawingRun &run, Point firstKe);
int writeSecondClothoid(DrawingRun &run);
void writeTangentLines(DrawingRun &run);

} // namespace korvane
