// A route as the route window shows it, computed in this process from its
// settings and IP table by the route model, as the library's exports
// compute it: the line, its main points and per-IP values, the rows of its
// coordinate table and every refusal and warning.
#pragma once

#include <vector>

#include "route/loaded_route.h"
#include "route/table_rows.h"

namespace rovena {

struct ComputedRoute {
    korvane::route::LoadedRoute route;
    std::vector<korvane::route::TableRow> rows; // empty after a refusal
    // The route's refusals and warnings, then those of its stationing.
    std::vector<korvane::route::Message> messages;

    bool refused() const { return korvane::route::hasRefusal(messages); }
};

ComputedRoute computeRoute(const korvane::route::RouteSettings &settings,
                           const std::vector<korvane::route::IpInput> &points);

} // namespace rovena
