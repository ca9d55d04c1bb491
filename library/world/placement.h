// The placement of the curve in the national plane rectangular coordinate
// system (JGD2011): X north, Y east, metres; direction angles clockwise from
// north.
#pragma once

#include <string>

#include "route/plane.h"

namespace korvane {

using WorldPoint = route::PlanePoint; // x north, y east

struct Placement {
    int zone = 0;       // 1..19
    std::string route;  // UTF-8, may be empty
    WorldPoint bp{};    // a point on the first tangent, before the IP
    WorldPoint ip{};
    WorldPoint ep{};    // a point on the second tangent, after the IP
};

// Reads the [placement] section of a UTF-8 file of "key = value" lines in
// sections (a design file, or any file of that shape; other sections and
// unknown keys are ignored). Refuses a missing or repeated key, an unknown
// zone or a coordinate that is not two finite numbers, with a message; 0 then.
int readPlacementFile(const char *path, Placement &placement);

} // namespace korvane
