// The centre line of the plan: straights as lines, arcs as arcs, clothoids
// as polylines whose chords stay within a millimetre of the curve.
#pragma once

#include <vector>

#include "plan/plan_entities.h"
#include "route/alignment.h"

namespace korvane::plan {

// The largest distance a clothoid's chord may keep from the curve, metres.
inline constexpr double kChordSagitta = 0.001;

// The number of equal chords for a clothoid. A chord spanning an arc length
// h of a curve whose curvature stays within κ in magnitude departs from the
// curve by at most κ·h²/8: the distance d(s) of the curve from the chord
// line vanishes at both ends and |d''(s)| ≤ |κ(s)| ≤ κ, so d lies under the
// parabola κ·s·(h − s)/2, whose top is κ·h²/8. With n = ⌈L·√(κ/(8·sagitta))⌉
// chords of h = L/n, κ·h²/8 ≤ sagitta. At least one chord.
int chordCount(const route::Segment &clothoid);

// The pieces of the centre line in order along the line.
std::vector<CentrePiece> centreLine(const route::Alignment &alignment);

} // namespace korvane::plan
