// The header of a drawing other than the single curve's: the template with
// its sheet, its line-type scale, and line types and layers of its own.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "drawing/output_stream.h"
#include "geometry/clothoid.h"

namespace korvane {

// A line type of the LTYPE table: its dashes in drawing units (a dash
// positive, a gap negative), scaled by $LTSCALE.
struct LinetypeEntry {
    std::string name;
    std::string description;
    std::vector<double> dashes;
};

// A layer of the LAYER table with its colour number and line type.
struct LayerEntry {
    std::string name;
    int colour;
    std::string linetype;
};

// What a drawing changes in the header template besides $EXTMAX: the sheet's
// lower left corner ($EXTMIN), the line-type scale ($LTSCALE), and line types
// and layers added at the head of their tables (whose counts grow by as many).
struct HeaderChanges {
    Point extMax;
    std::optional<Point> extMin;
    std::optional<double> ltscale;
    std::vector<LinetypeEntry> linetypes;
    std::vector<LayerEntry> layers;
};

// Copies the header template as copyHeaderTemplate does, with the changes.
// A template without the LTYPE or LAYER table the added entries belong in is
// refused. 0 after its message.
int copyHeaderTemplate(DrawingStreams &streams, const char *templatePath, const HeaderChanges &changes);

} // namespace korvane
