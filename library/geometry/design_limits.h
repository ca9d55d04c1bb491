// Checks of the lane data and the stationing of a design: values that the
// drawing could only turn into nonsense (a lane line at a negative or
// undefined offset or narrowed across the centre line, an inner lane line
// beyond the centre of the arc, a KA station that the element table would
// print otherwise than the labels count it, a station label longer than its
// field).
#pragma once

#include "params/design_record.h"

namespace korvane {

// Every lane line in use (up to the first width 0) has a positive finite
// width and a finite widening amount, does not reach the centre line when
// narrowed, and stays within the radius on the inside of the curve. Needs a
// valid radius.
bool laneDataIsDrawable(const DesignRecord &design, const CurveAngles &angles);

// The KA station is a whole station number with a plus distance from 0 up to
// (not including) the station pitch, and every label of the curve fits its
// field. Needs valid parameters and station pitch.
bool stationingIsDrawable(const DesignRecord &design, const CurveAngles &angles);

} // namespace korvane
