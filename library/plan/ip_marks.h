// The IPs on the plan: the IP polygon BP–IP1–…–EP, and beside every IP,
// outside its bend, its name and a small table of its curve (IA, R, A1, A2,
// TL1, TL2, CL; an egg curve's R2 after R).
#pragma once

#include <string>
#include <vector>

#include "plan/plan_entities.h"
#include "route/ip_method.h"

namespace korvane::plan {

// The lines of an IP's table (UTF-8): its name, IA with the side of the turn,
// and the values its curve has.
std::vector<std::string> ipTableLines(const route::RouteIp &ip);

// The polygon and the tables of the route's IPs (none for a route without
// an IP table).
void addIpMarks(const std::vector<route::RouteIp> &ips, PlanDrawing &plan);

} // namespace korvane::plan
