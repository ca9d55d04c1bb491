#include "computed_route.h"

#include "route/route_rows.h"

namespace rovena {

ComputedRoute computeRoute(const korvane::route::RouteSettings &settings,
                           const std::vector<korvane::route::IpInput> &points) {
    ComputedRoute computed;
    computed.route.settings = settings;
    computed.route.ips = points;
    korvane::route::computeLoadedRoute(computed.route);
    computed.messages = computed.route.messages;
    computed.rows = korvane::route::loadedRows(computed.route, computed.messages);
    return computed;
}

} // namespace rovena
