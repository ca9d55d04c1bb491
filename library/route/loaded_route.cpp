#include "route/loaded_route.h"

#include "route/design_checks.h"

namespace korvane::route {

void computeLoadedRoute(LoadedRoute &route) {
    Route computed = computeRoute(route.ips);
    if (!hasRefusal(computed.messages))
        for (Message &m : designChecks(computed, route.settings.speed)) computed.messages.push_back(std::move(m));
    route.alignment = std::move(computed.alignment);
    route.mainPoints = std::move(computed.mainPoints);
    route.ipResults = std::move(computed.ips);
    for (Message &m : computed.messages) route.messages.push_back(std::move(m));
}

} // namespace korvane::route
