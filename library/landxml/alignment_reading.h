// One Alignment of a LandXML file as a chain of self-contained segments with
// its stationing: each element from its own data, the joints between them
// checked, the names the file gives the element ends, and its PIs.
#pragma once

#include <string>
#include <vector>

#include "landxml/element_reading.h"
#include "route/alignment.h"
#include "route/stationing.h"

namespace korvane::landxml {

struct ReadAlignment {
    std::string name;
    route::Alignment alignment;
    std::vector<ReadElement> elements;      // one per segment (elements of no length are left out)
    std::vector<std::string> boundaryNames; // one per segment end and the start; empty where the file gives none
    route::Stationing stationing;           // BP's station and the equations; the pitch is not in the file
    std::vector<route::PlanePoint> pis;     // AlignPIs, when every one could be read
    std::vector<std::string> piNames;
};

// Reads the alignment (lengths in the file's unit, metres times `metres`).
// False after a refusal; every refusal and warning is added to messages.
bool readAlignment(const RawAlignment &raw, const LandXmlDocument &document, double metres, ReadAlignment &out,
                   std::vector<route::Message> &messages);

} // namespace korvane::landxml
