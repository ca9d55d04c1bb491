// Texts of the plan: their height from the scale, a text placed along a
// ray square to the centre line and turned so that it reads from the bottom
// or the right of the sheet, and the estimate of a text's length.
#pragma once

#include <string>

#include "plan/plan_entities.h"

namespace korvane::plan {

// Every text is 1.5 mm high on paper.
inline double textHeight(double scale) { return 1.5 * scale; }

// The length of a cp932 text as the preview estimates it: half its height
// for every byte (a full-width character counts two).
double estimatedLength(const std::string &cp932, double height);

// A text along the ray from p in the direction ray (square to the line),
// starting one scale off the line, its characters standing one scale ahead
// of p in the direction of travel t. A text whose ray points to the left of
// the sheet (or straight down) is turned half round and justified on its end
// near the line, so that it reads from the bottom or the right.
PlanText textAlongRay(Point p, Point t, Point ray, double scale, std::string cp932);

} // namespace korvane::plan
