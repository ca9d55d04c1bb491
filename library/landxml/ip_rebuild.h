// The IP table back from a read alignment: where the file carries its PIs
// (AlignPIs: BP, IP1 … IPn, EP) and the elements at each PI form one of the
// IP method's curves, the table of IPs with their curve values (A1, R, A2,
// egg curves' LC, AM, R2) taken from the file's own values, so that the route
// can be saved and edited. The table is given back only when the route it
// computes lies on the read elements.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "landxml/alignment_reading.h"
#include "route/ip_method.h"

namespace korvane::landxml {

struct RebuiltRoute {
    std::vector<route::IpInput> ips;
    route::Route route; // computed from ips
};

// The rebuilt table, or nothing with a warning saying why (none when the
// file has no PIs).
std::optional<RebuiltRoute> rebuildIpTable(const ReadAlignment &alignment, std::vector<route::Message> &messages);

} // namespace korvane::landxml
