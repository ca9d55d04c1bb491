// The route as J-LandXML (LandXML 1.2 with the Japanese conventions): the
// rows of the coordinate table as CgPoints, and one Alignment whose
// CoordGeom is the chain of Line, Spiral and Curve elements, with a
// StaEquation for each station equation and the IPs as AlignPIs.
#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "route/loaded_route.h"
#include "route/table_rows.h"

namespace korvane::route {

// The document in UTF-8, stamped with the given local time.
std::string routeLandXmlText(const LoadedRoute &route, const std::vector<TableRow> &rows, const std::tm &stamp);

} // namespace korvane::route
