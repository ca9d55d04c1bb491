// Normal-line positions on the three elements and their station labels.
#pragma once

#include <cstddef>

namespace korvane {

// Normal lines stand at most this far from the KA at the stationing origin.
constexpr double kMaxNormalPosition = 1000;

// Writes the station label "NO.n+m.mmm" of the point at distance s from the
// stationing origin into text (capacity bytes); a label that does not fit is cut.
void stationLabel(char *text, std::size_t capacity, double s);

// Stations increase from the second KA towards the first: the station
// direction begins with "R" or "r".
bool stationsFromRight();

// Lengths, cumulative positions, the split onto the elements, reversals, labels.
void prepareNormals();

} // namespace korvane
