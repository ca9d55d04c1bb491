// The long routes the route benchmarks time: IPs a leg apart, each with a
// curve, the line turning after each so that it keeps its general direction.
#pragma once

#include <chrono>
#include <functional>
#include <vector>

#include "route/ip_input.h"

namespace korvane::route {

// BP at start heading direction (radians), then curves IPs, then EP, each a
// leg metres beyond the one before; IP i has the curve curveOf(i) and the
// line turns by turnOf(i) radians there.
std::vector<IpInput> benchRoute(PlanePoint start, double direction, int curves, double leg,
                                const std::function<CurveInput(int)> &curveOf,
                                const std::function<double(int)> &turnOf);

double milliseconds(std::chrono::steady_clock::duration d);

} // namespace korvane::route
