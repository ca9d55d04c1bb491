// The drawing frame: millimetres at real size, first KA at (0, baseY), the
// first tangent along +x, the sheet an A1 sheet times the scale.
#pragma once

#include "params/design_record.h"

namespace korvane {

inline double baseY() { return 297.0 * design.scale; }

// +1 when the curve turns left of the first tangent (IA >= 0), -1 otherwise.
inline double sigma() { return design.iaRadians < 0 ? -1.0 : 1.0; }

} // namespace korvane
