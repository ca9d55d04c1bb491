// この曲線を作図: one curve of the route as a design of the form and its
// world placement, so that the form's drawing, coordinate table and
// J-LandXML of that curve lie on the route. The form draws a curve of two
// clothoids and an arc, with A1 and A2 both above 0; so only a 基本型 curve
// can be drawn there.
#pragma once

#include <QString>
#include <optional>

#include "computed_route.h"
#include "design/design_texts.h"
#include "design/placement_section.h"

namespace rovena {

struct CurveDesign {
    design_model::DesignTexts texts;
    design_model::PlacementTexts placement;
};

// Why the curve at row cannot be drawn by the form (Japanese); empty when it can.
QString whyNotDrawable(const ComputedRoute &route, int row);

// The design of the curve at row: form's texts with A1, R and A2 of the
// curve, its IA (typed as the route derives it; the placement derives it
// again from the points), 上/下 as the curve turns when the stations grow
// from BP (測点方向 左), the route's pitch and the station of the curve's
// first KA as NO and ＋; and the placement: the zone and the route's name,
// the previous point as BP, the IP, and the next point as EP. Nothing when
// the curve cannot be drawn.
std::optional<CurveDesign> curveDesign(const ComputedRoute &route, int row, const design_model::DesignTexts &form);

} // namespace rovena
