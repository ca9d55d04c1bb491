// A route read from a file, whatever its kind, and computed: the one way
// every output of a route gets its input.
#pragma once

#include <string_view>

#include "route/loaded_route.h"

namespace korvane::route {

enum class InputKind { RouteFile, IpTable, LandXml };

// What a file holds, told by its content: a route file begins with a
// section header, a LandXML file with "<", anything else is an IP table.
InputKind inputKind(std::string_view content);

// Computes the line of the IP table with the IP method and checks its
// curves by the design speed; every refusal and warning goes to messages.
void computeLoadedRoute(LoadedRoute &route);

// Reads the route at path (file-system encoding) without computing it: its
// settings, then those of settingsPath when that is neither null nor empty
// (a route file without IP table whose settings replace those read: the
// options of a command line), and its IP table or line. False after a
// refusal, which is among the messages.
bool readRouteInput(const char *path, const char *settingsPath, LoadedRoute &route);

// Reads the route at path (file-system encoding) and computes it. When
// settingsPath is neither null nor empty it names a route file without IP
// table whose settings replace those read (the options of a command line).
// A route that cannot be read or computed has a refusal among its messages
// and no alignment.
LoadedRoute loadRoute(const char *path, const char *settingsPath = nullptr);

} // namespace korvane::route
