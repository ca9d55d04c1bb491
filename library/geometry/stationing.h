// Normal-line positions on the three elements and their station labels.
#pragma once

#include <cstddef>

#include "geometry/station_text.h"
#include "params/design_record.h"

namespace korvane {

// Normal lines stand at most this far from the KA at the stationing origin:
// the interval that ends the list, which the form therefore refuses.
constexpr double kMaxNormalPosition = design_model::kIntervalEndMark;

// Writes the station label of the point at distance s from the design's
// stationing origin into text (capacity bytes); a label that does not fit is
// cut.
void stationLabel(const DesignRecord &design, double s, char *text, std::size_t capacity);

// Stations increase from the second KA towards the first: the station
// direction begins with "R" or "r".
bool stationsFromRight(const DesignRecord &design);

// The design's normal intervals as positions along the curve of the given
// elements, split onto the three elements and labelled.
NormalLists prepareNormals(const DesignRecord &design, const CurveElements &elements);

} // namespace korvane
