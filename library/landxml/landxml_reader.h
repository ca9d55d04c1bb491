// A route from a LandXML file: one Alignment read element by element, with
// its stationing, its main points named as the file names them (or as the IP
// method names them where the IP table can be given back), and the IP table
// itself where the file's PIs allow it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "route/alignment.h"
#include "route/ip_input.h"
#include "route/main_point.h"
#include "route/message.h"
#include "route/stationing.h"

namespace korvane::landxml {

struct LandXmlRoute {
    std::string name; // the alignment's
    int zone = 0;     // of the plane rectangular system, from the coordinate system's name; 0 when not given
    route::Alignment alignment;
    std::vector<route::MainPoint> mainPoints; // every element boundary, BP and EP
    route::Stationing stationing;             // BP's station and the equations (the pitch stays 20 m)
    std::vector<route::IpInput> ips;          // the IP table given back; empty when it cannot be
    std::vector<route::Message> messages;     // a refusal leaves the alignment empty
};

// Reads the alignment of the given name, or the only one when the name is
// empty. Several alignments and no name, or a name the file lacks, is a
// refusal listing the names.
LandXmlRoute readLandXml(const std::string &path, const std::string &alignmentName);

// Metres per length unit (Units linearUnit); nothing for a unit not known.
std::optional<double> metresPerUnit(const std::string &unit);

} // namespace korvane::landxml
