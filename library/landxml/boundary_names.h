// Names for the element boundaries of an alignment that no file and no IP
// table names: BP and EP, and at each curve (a run of arcs and clothoids
// between straights or points of no curvature) the names a Japanese sheet
// gives: KAk-1 or BCk where curve k begins, KEk-1, KEk-2 … inside it, KAk-2
// or ECk where it ends, joined by "=" where one curve ends as the next begins;
// 折点n where two straights meet.
#pragma once

#include <string>
#include <vector>

#include "route/alignment.h"

namespace korvane::landxml {

// One name per boundary: the start, then each segment's end.
std::vector<std::string> boundaryNames(const route::Alignment &alignment);

} // namespace korvane::landxml
