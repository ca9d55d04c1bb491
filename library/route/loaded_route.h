// A route as every output takes it, whatever it was read from (a route
// file, an IP table, a LandXML alignment): its settings, its IP table where
// it has one, the computed line with its main points, and what reading and
// computing had to say.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "route/alignment.h"
#include "route/ip_input.h"
#include "route/ip_method.h"
#include "route/main_point.h"
#include "route/message.h"
#include "route/stationing.h"

namespace korvane::route {

// The widths of the width stakes (幅杭), metres from the centre line to
// each side; a side of 0 has no stakes.
struct StakeWidths {
    double left = 0;
    double right = 0;

    bool operator==(const StakeWidths &) const = default;
};

// What the user sets for a route besides its line.
struct RouteSettings {
    std::string name;   // 路線名 (UTF-8; may be empty)
    int zone = 0;       // 座標系: the zone 1..19 of the plane rectangular coordinates; 0 for none
    Stationing stationing;
    int speed = 0;      // 設計速度 in km/h; 0: no design checks
    std::optional<StakeWidths> widths;
    std::string alignment; // the alignment to read from a LandXML input; empty: its only one (never saved)

    bool operator==(const RouteSettings &) const = default;
};

struct LoadedRoute {
    RouteSettings settings;
    std::vector<IpInput> ips;          // the IP table, BP … EP; empty when the source is an alignment without one
    Alignment alignment;               // empty after a refusal
    std::vector<MainPoint> mainPoints; // in order along the line
    std::vector<RouteIp> ipResults;    // per point of ips, from the IP method (the calculation sheet's values)
    std::vector<Message> messages;     // refusals and warnings of reading and computing, in order
};

// Computes the line of the IP table with the IP method and checks its
// curves by the design speed; every refusal and warning goes to messages.
void computeLoadedRoute(LoadedRoute &route);

// Adds a refusal that concerns no one point of the IP table.
inline void refuse(LoadedRoute &route, const std::string &text) {
    route.messages.push_back(Message{Severity::Refusal, -1, text});
}

} // namespace korvane::route
