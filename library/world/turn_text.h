// The derived IA as a host reads it: "key = value" lines in UTF-8 with the
// keys of the design file's [design] section.
#pragma once

#include <string>

#include "world/turn_angle.h"

namespace korvane {

// The IA line of the parameter file for the drawing ("66 55 44.444000", with
// a minus on its first part that is not 0 when the curve is drawn 下).
std::string parameterAngleLine(const TurnAngle &turn, bool upward);

// ia.degrees, ia.minutes, ia.seconds, curve.direction (up/down), turn
// (left/right, as seen on the map from BP) and parameter.line.
std::string turnText(const TurnAngle &turn, bool upward);

int writeTurnFile(const char *path, const TurnAngle &turn, bool upward);

} // namespace korvane
