// A route from a LandXML file: one Alignment read element by element, with
// its name, zone and stationing as the route's settings, its main points
// named as the file names them (or as the IP method names them where the IP
// table can be given back), and the IP table itself where the file's PIs
// allow it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "route/loaded_route.h"

namespace korvane::landxml {

// Reads the alignment of the given name from the document, or the only one
// when the name is empty.
// Several alignments and no name, or a name the file lacks, is a refusal
// listing the names. The route's line is the read elements (the IP table,
// where there is one, computes the same line within the file's rounding);
// the pitch is left at its default, as LandXML does not carry it. After a
// refusal the route has no alignment.
route::LoadedRoute readLandXmlText(std::string_view document, const std::string &alignmentName);

// The same for the file at path (file-system encoding).
route::LoadedRoute readLandXml(const std::string &path, const std::string &alignmentName);

// Metres per length unit (Units linearUnit); nothing for a unit not known.
std::optional<double> metresPerUnit(const std::string &unit);

} // namespace korvane::landxml
