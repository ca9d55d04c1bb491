#include "route/loaded_route.h"

#include "route/design_checks.h"

namespace korvane::route {

void computeLoadedRoute(LoadedRoute &route) {
    // A line read from a LandXML file is its own elements; its IP table,
    // where it has one, gives the calculation sheet's values and the checks.
    const bool lineRead = !route.alignment.segments.empty();
    if (lineRead && route.ips.empty()) {
        if (route.settings.speed != 0)
            route.messages.push_back(Message{Severity::Warning, -1, "IP 表のない線形なので、設計速度による照査はしません。"});
        return;
    }
    Route computed = computeRoute(route.ips);
    if (!hasRefusal(computed.messages))
        for (Message &m : designChecks(computed, route.settings.speed)) computed.messages.push_back(std::move(m));
    if (!lineRead) {
        route.alignment = std::move(computed.alignment);
        route.mainPoints = std::move(computed.mainPoints);
    }
    route.ipResults = std::move(computed.ips);
    for (Message &m : computed.messages) route.messages.push_back(std::move(m));
}

} // namespace korvane::route
