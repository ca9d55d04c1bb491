// A drawing in the form the preview paints from, built once after reading
// and never changed: every polyline (lines included) as one flat array of
// points with its bounding box, arcs and texts with their boxes, colours
// resolved from the layers, texts decoded, entities of hidden layers left out.
// Being immutable, one object is shared between the loading thread, the view
// and the printer without locks.
#pragma once

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

#include "dxf_reader.h"

namespace rovena::preview {

// A polyline simplified beforehand: no point of the full polyline lies
// farther than error (drawing units) from it, and the other way round.
struct DetailLevel {
    double error = 0.0;
    std::vector<DxfPoint> points;
};

struct GeometryPolyline {
    std::vector<DxfPoint> points;
    std::vector<DetailLevel> levels;  // coarser as they go; empty for short polylines
    DxfBox box;
    std::uint32_t rgb = 0;
    bool closed = false;

    // The coarsest points whose error is within maxError; all points at 0.
    const std::vector<DxfPoint> &pointsWithin(double maxError) const;
};

struct GeometryArc {
    DxfArc arc;
    DxfBox box;
    std::uint32_t rgb = 0;
};

struct GeometryText {
    DxfPoint position;
    double height = 0.0;
    double widthFactor = 1.0;
    double rotationDegrees = 0.0;
    double length = 0.0;  // along the base line, as textBox measures it
    QString text;
    DxfBox box;
    std::uint32_t rgb = 0;
};

class PreviewGeometry {
public:
    static std::shared_ptr<const PreviewGeometry> build(DxfDrawing drawing);

    const std::vector<GeometryPolyline> &polylines() const { return polylines_; }
    const std::vector<GeometryArc> &arcs() const { return arcs_; }
    const std::vector<GeometryText> &texts() const { return texts_; }
    // The sheet of the header ($EXTMIN to $EXTMAX); empty without one.
    const DxfBox &sheet() const { return sheet_; }
    // The sheet and everything drawn, on it or beyond its edges.
    const DxfBox &extents() const { return extents_; }
    // Everything drawn, without the sheet.
    const DxfBox &drawnExtents() const { return drawn_; }
    std::size_t vertexCount() const { return vertexCount_; }

private:
    std::vector<GeometryPolyline> polylines_;
    std::vector<GeometryArc> arcs_;
    std::vector<GeometryText> texts_;
    DxfBox sheet_;
    DxfBox extents_;
    DxfBox drawn_;
    std::size_t vertexCount_ = 0;
};

}  // namespace rovena::preview
