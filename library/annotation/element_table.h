// The text block of curve elements and input echo in the drawing's corner.
#pragma once

namespace korvane {

void writeElementTable();

} // namespace korvane
