// The plan drawing as a DXF file: the header template with the plan's
// extent as its sheet, the scale's line-type scale, the dashed line type and
// the layer of the IP polygon; then the centre line on D-BMK, the IP polygon
// on D-BMK-IP, the ticks and texts on D-BMK-HTXT.
#pragma once

#include "plan/plan_entities.h"

namespace korvane::plan {

// The layer of the IP polygon, drawn dashed, and its colour number.
inline constexpr const char *kLayerIpPolygon = "D-BMK-IP";
inline constexpr int kIpPolygonColour = 8;
inline constexpr const char *kDashedLinetype = "DASHED";

// Writes the plan at path through a file beside it (path + ".korvane-tmp",
// its polylines gathered in path + ".korvane-poly"), which replaces path
// only once the drawing is complete; neither is left behind. 1, or 0 after
// a message, an earlier file at path then being as it was.
int writePlanDxf(const PlanDrawing &plan, const char *path, const char *templatePath);

} // namespace korvane::plan
