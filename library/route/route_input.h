// A route read from a file, whatever its kind, and computed: the one way
// every output of a route gets its input.
#pragma once

#include <string_view>

#include "route/loaded_route.h"
#include "route/route_text.h"

namespace korvane::route {

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
