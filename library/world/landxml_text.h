// The pieces every J-LandXML document of ours is made of: the header
// (project, application, coordinate system, units), numbers and points as
// LandXML writes them, and the CgPoints of a coordinate table.
#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "route/plane.h"

namespace korvane {

// Text with &, <, > and " written as entities.
std::string xmlEscaped(const std::string &text);

// A length or coordinate with six decimals.
std::string xmlNumber(double value);

// "north east", as LandXML writes a point.
std::string xmlCoordinates(route::PlanePoint p);

// <tag>north east</tag>, with a name attribute when name is not empty.
std::string xmlPointElement(const char *tag, route::PlanePoint p, const std::string &name = {});

// From the XML declaration to the end of Units, stamped with the given local
// time. A zone of 0 writes a coordinate system without datum or zone.
std::string landXmlHeader(const std::string &project, int zone, const std::tm &stamp);

// The local time now, for the stamp of a document.
std::tm currentStamp();

// One point of the table as CgPoints lists it, with its station (sta), its
// label (測点) and its direction angle (方向角) as a feature.
struct CgPointRow {
    std::string name; // unique names are made by adding "#2", "#3"…
    std::string label;
    double station;
    route::PlanePoint point;
    double direction;
};

// <CgPoints name="中心線座標"> … </CgPoints>.
std::string cgPointsText(const std::vector<CgPointRow> &rows);

} // namespace korvane
