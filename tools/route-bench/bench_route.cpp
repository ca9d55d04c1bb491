#include "bench_route.h"

namespace korvane::route {

std::vector<IpInput> benchRoute(PlanePoint start, double direction, int curves, double leg,
                                const std::function<CurveInput(int)> &curveOf,
                                const std::function<double(int)> &turnOf) {
    std::vector<IpInput> points;
    PlanePoint at = start;
    points.push_back(IpInput{"BP", at, {}});
    for (int i = 0; i < curves; ++i) {
        at = along(at, direction, leg);
        points.push_back(IpInput{"", at, curveOf(i)});
        direction += turnOf(i);
    }
    points.push_back(IpInput{"EP", along(at, direction, leg), {}});
    return points;
}

double milliseconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

} // namespace korvane::route
