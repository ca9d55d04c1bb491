// A route's input told by its content, and a route file or an IP table read
// from it: what the library's exports and Rovena's route window both read.
#pragma once

#include <string>
#include <string_view>

#include "route/loaded_route.h"

namespace korvane::route {

enum class InputKind { RouteFile, IpTable, LandXml };

// What a file holds, told by its content: a route file begins with a
// section header, a LandXML file with "<", anything else is an IP table.
InputKind inputKind(std::string_view content);

// Reads the settings and the IP table of a route file, or the IP table of a
// CSV (UTF-8 or cp932), into route. False with the refusal among its
// messages; a LandXML text is not read here (false without a message).
bool readRouteOrIpTable(const std::string &content, LoadedRoute &route);

} // namespace korvane::route
