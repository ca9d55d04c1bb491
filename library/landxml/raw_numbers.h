// Numbers and points as a LandXML file writes them: "." decimals in any
// locale, a radius "INF" for a straight, points "north east [elevation]".
#pragma once

#include <optional>
#include <string_view>

#include "route/plane.h"

namespace korvane::landxml {

// A finite number, blanks around it allowed; nothing for any other text.
std::optional<double> finiteNumber(std::string_view text);

// A radius: a positive number, or INF (also -INF) for none (returned as
// infinity); nothing for any other text, 0 or a negative number.
std::optional<double> radiusNumber(std::string_view text);

// The first two numbers of "north east [elevation]"; nothing when there are
// fewer than two, or a third word is no number.
std::optional<route::PlanePoint> pointNumbers(std::string_view text);

} // namespace korvane::landxml
