// The design checks of a route by its design speed (設計速度): warnings,
// never refusals, each naming the IP, the rule, the value and the limit.
// The limits are those of the road structure ordinance (道路構造令, 第15条
// and 第18条) and of its commentary (道路構造令の解説と運用).
#pragma once

#include <vector>

#include "route/ip_method.h"

namespace korvane::route {

// 120, 100, 80, 60, 50, 40, 30 and 20 km/h.
bool knownDesignSpeed(int speed);

// The warnings for every computed curve of the route. A speed not in the
// table gives one refusal (the checks cannot be made); 0 means no checks.
std::vector<Message> designChecks(const Route &route, int speed);

} // namespace korvane::route
