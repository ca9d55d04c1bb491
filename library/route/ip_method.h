// The whole route by the IP method: from BP, IP1 … IPn, EP and each IP's
// curve to the chain of segments, the main points, and the values of the
// calculation sheet.
#pragma once

#include <vector>

#include "route/alignment.h"
#include "route/curve_plan.h"
#include "route/ip_input.h"
#include "route/main_point.h"
#include "route/message.h"

namespace korvane::route {

struct RouteIp {
    std::string name;
    PlanePoint point{};
    CurveKind kind = CurveKind::None;
    double legLength = 0;    // IP間距離 to the next point (0 at EP)
    double legDirection = 0; // 方向角 towards the next point
    double ia = 0;           // IA, radians, ≥ 0 (0 at BP and EP)
    int turn = 0;            // +1 right (clockwise), −1 left, 0 none
    bool planned = false;    // the curve's elements were computed
    CurveElements curve;
    double curveStart = 0;   // along the line: where its curve begins and ends
    double curveEnd = 0;     // (a bend point: both at it; BP 0; EP the length)
};

struct Route {
    std::vector<RouteIp> ips;
    Alignment alignment;              // empty after a refusal
    std::vector<MainPoint> mainPoints; // in order along the line
    std::vector<Message> messages;     // refusals and warnings, in the order of the table
};

// The side of a turn as the IP table writes it: 右, 左, or empty.
const char *turnName(int turn);

// Computes the route; every refusal and warning is in the messages. Per-IP
// values (kind, legs, IA and the curves that could be computed) are filled
// also when the route is refused.
Route computeRoute(const std::vector<IpInput> &points);

} // namespace korvane::route
