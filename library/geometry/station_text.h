// The station text of the drawing, "NO.n+m.mmm": one routine for the
// drawing's labels, the check of the station pitch and the stations of a
// route.
#pragma once

#include <cstddef>

namespace korvane {

// Writes the station text "NO.n+m.mmm" of station number n and plus distance
// m into text (capacity bytes, cut when it does not fit); returns the length
// the whole text needs.
int stationText(char *text, std::size_t capacity, double n, double m);

} // namespace korvane
