// The alignment as J-LandXML (LandXML 1.2 with the Japanese conventions):
// coordinates "north east", the stations as CgPoints, one Alignment of
// Line, Spiral, Curve, Spiral, Line, and the IP list BP, IP, EP.
#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "world/table_points.h"

namespace korvane {

// The document, in UTF-8, stamped with the given local time.
std::string landXmlText(const WorldAlignment &alignment, const std::vector<TablePoint> &points,
                        const std::tm &stamp);

// Writes the document stamped with the current time; 0 after a message.
int writeLandXml(const char *path, const WorldAlignment &alignment, const std::vector<TablePoint> &points);

} // namespace korvane
