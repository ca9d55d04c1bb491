// The text block of curve elements and input echo in the drawing's corner.
#pragma once

#include "drawing/drawing_run.h"

namespace korvane {

void writeElementTable(DrawingRun &run);

} // namespace korvane
