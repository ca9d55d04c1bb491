// The plan of a computed route as the route window shows it, made as a
// drawing that the preview's view paints: in millimetres at the route's
// world position (x = Y east × 1000, y = X north × 1000), as the route's
// plan DXF lies. It holds the centre line (arcs as arcs, the rest within
// kPlanTolerance of the line), the IP polygon with the IPs' names, every
// main point with a tick and its name to the right of the line, and a tick
// with its label to the left at every full and extra station.
#pragma once

#include <vector>

#include "computed_route.h"
#include "dxf_reader.h"

namespace rovena {

// Millimetres: the largest distance of the drawn centre line from the line.
constexpr double kPlanTolerance = 2.0;

preview::DxfPoint planPoint(korvane::route::PlanePoint point);

// The centre line between two distances along it, as drawing points within
// kPlanTolerance of the line.
std::vector<preview::DxfPoint> centreLinePoints(const korvane::route::Alignment &alignment, double from, double to);

preview::DxfDrawing routePlanDrawing(const ComputedRoute &route);

} // namespace rovena
