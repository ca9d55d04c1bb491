// Reading back an ASCII DXF drawing for the preview: the entities it holds
// (LINE, POLYLINE with its vertices, ARC, TEXT), the colours of its layers and
// its extents, as dxf_pair_reader.h reads them. Text values keep their bytes
// as written and carry a Unicode copy decoded from the drawing's code page.
// Nothing here paints: the structures are plain data.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rovena::preview {

// Colour number meaning "take the colour of the entity's layer".
inline constexpr int colorByLayer = 256;

struct DxfPoint {
    double x = 0.0;
    double y = 0.0;
};

struct DxfBox {
    double minX = 0.0;
    double minY = 0.0;
    double maxX = 0.0;
    double maxY = 0.0;
    bool empty = true;

    void include(DxfPoint p);
    void include(const DxfBox &other);
    double width() const { return empty ? 0.0 : maxX - minX; }
    double height() const { return empty ? 0.0 : maxY - minY; }
};

struct DxfLine {
    std::string layer;
    int color = colorByLayer;
    DxfPoint start;
    DxfPoint end;
};

struct DxfPolyline {
    std::string layer;
    int color = colorByLayer;
    bool closed = false;
    std::vector<DxfPoint> vertices;
};

// Runs counter-clockwise from startDegrees to endDegrees.
struct DxfArc {
    std::string layer;
    int color = colorByLayer;
    DxfPoint centre;
    double radius = 0.0;
    double startDegrees = 0.0;
    double endDegrees = 0.0;
};

// The insertion point is the left end of the base line.
struct DxfText {
    std::string layer;
    int color = colorByLayer;
    DxfPoint position;
    double height = 0.0;
    double widthFactor = 1.0;
    double rotationDegrees = 0.0;
    std::string bytes;  // the text value as it stands in the file
    std::string utf8;   // the same text decoded from the drawing's code page
};

struct DxfLayer {
    std::string name;
    int color = 7;  // negative: the layer is switched off
};

struct DxfDrawing {
    std::vector<DxfLine> lines;
    std::vector<DxfPolyline> polylines;
    std::vector<DxfArc> arcs;
    std::vector<DxfText> texts;
    std::vector<DxfLayer> layers;
    std::string codePage;             // $DWGCODEPAGE, empty when the header has none
    std::optional<DxfPoint> extMin;   // $EXTMIN
    std::optional<DxfPoint> extMax;   // $EXTMAX

    const DxfLayer *findLayer(std::string_view name) const;
    // The colour number an entity is drawn in: its own, or its layer's when it
    // has none (7 when the layer is not in the table).
    int effectiveColor(std::string_view layer, int color) const;
    // The box of the linework and of the text boxes (textBox).
    DxfBox entityExtents() const;
    // The sheet from $EXTMIN (origin when absent) to $EXTMAX; empty without $EXTMAX.
    DxfBox sheet() const;
};

enum class DxfReadStatus {
    ok,
    cannotOpen,  // the file cannot be opened for reading
    notDxf,      // no DXF section found in the file
    truncated,   // the file ends before its end-of-file marker
    failed,      // the parser gave up (a broken or hostile file)
    cancelled,   // the reading was stopped before its end
};

struct DxfReadResult {
    DxfReadStatus status = DxfReadStatus::failed;
    DxfDrawing drawing;  // what could be read, also when the file is cut short
    bool ok() const { return status == DxfReadStatus::ok; }
};

// The message shown for a reading result (UTF-8), empty for ok.
std::string readStatusMessage(DxfReadStatus status);

// Decodes text bytes of the given DXF code page ("ANSI_932", empty meaning the
// same) to UTF-8; bytes that do not decode become U+FFFD.
std::string decodeDxfText(std::string_view bytes, std::string_view codePage);

// The bounding box of an arc running counter-clockwise from start to end.
DxfBox arcBox(const DxfArc &arc);

// The box a text covers when drawn in a fixed-pitch font whose half-width
// characters (one cp932 byte) are half the height wide: from the base line to
// the height, one half height times the width factor per byte, turned by the
// rotation about the insertion point.
DxfBox textBox(const DxfText &text);

}  // namespace rovena::preview
