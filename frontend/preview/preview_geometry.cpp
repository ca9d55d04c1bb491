#include "preview_geometry.h"

#include "aci_colour.h"
#include "polyline_simplify.h"

namespace rovena::preview {

namespace {

bool layerShown(const DxfDrawing &drawing, const std::string &layer) {
    const DxfLayer *found = drawing.findLayer(layer);
    return !found || found->color >= 0;
}

std::uint32_t colourOf(const DxfDrawing &drawing, const std::string &layer, int color) {
    return aciToRgb(drawing.effectiveColor(layer, color));
}

// Levels from 1 mm on, each four times coarser and made from the one before
// (so its error is its own tolerance plus those before it), while they still
// leave out points worth the memory.
constexpr std::size_t shortestWithLevels = 64;
constexpr double finestLevel = 1.0;
constexpr double levelStep = 4.0;
constexpr int mostLevels = 12;

void buildLevels(GeometryPolyline &polyline) {
    if (polyline.points.size() < shortestWithLevels || polyline.closed) return;
    polyline.levels.reserve(mostLevels);  // previous points into it
    SimplifyScratch scratch;
    const std::vector<DxfPoint> *previous = &polyline.points;
    double previousError = 0.0, tolerance = finestLevel;
    for (int k = 0; k < mostLevels && previous->size() > 2; ++k, tolerance *= levelStep) {
        std::vector<DxfPoint> points = *previous;
        simplifyPolyline(points, tolerance, scratch);
        if (points.size() * 4 > previous->size() * 3) continue;  // not worth its memory
        points.shrink_to_fit();
        previousError += tolerance;
        polyline.levels.push_back({previousError, std::move(points)});
        previous = &polyline.levels.back().points;
    }
}

GeometryPolyline polylineOf(std::vector<DxfPoint> points, std::uint32_t rgb, bool closed) {
    GeometryPolyline polyline;
    points.shrink_to_fit();
    polyline.points = std::move(points);
    for (const DxfPoint &p : polyline.points) polyline.box.include(p);
    polyline.rgb = rgb;
    polyline.closed = closed;
    buildLevels(polyline);
    return polyline;
}

}  // namespace

std::shared_ptr<const PreviewGeometry> PreviewGeometry::build(DxfDrawing drawing) {
    auto geometry = std::make_shared<PreviewGeometry>();
    PreviewGeometry &g = *geometry;
    for (const DxfLine &line : drawing.lines)
        if (layerShown(drawing, line.layer))
            g.polylines_.push_back(polylineOf({line.start, line.end}, colourOf(drawing, line.layer, line.color), false));
    for (DxfPolyline &polyline : drawing.polylines) {
        if (!layerShown(drawing, polyline.layer) || polyline.vertices.empty()) continue;
        const std::uint32_t rgb = colourOf(drawing, polyline.layer, polyline.color);
        g.polylines_.push_back(polylineOf(std::move(polyline.vertices), rgb, polyline.closed));
    }
    for (const DxfArc &arc : drawing.arcs)
        if (layerShown(drawing, arc.layer) && arc.radius > 0.0)
            g.arcs_.push_back({arc, arcBox(arc), colourOf(drawing, arc.layer, arc.color)});
    for (const DxfText &text : drawing.texts) {
        if (!layerShown(drawing, text.layer) || text.bytes.empty()) continue;
        const double length = 0.5 * text.height * text.widthFactor * static_cast<double>(text.bytes.size());
        g.texts_.push_back({text.position, text.height, text.widthFactor > 0.0 ? text.widthFactor : 1.0,
                            text.rotationDegrees, length, QString::fromStdString(text.utf8), textBox(text),
                            colourOf(drawing, text.layer, text.color)});
    }
    g.sheet_ = drawing.sheet();
    for (const auto &p : g.polylines_) {
        g.drawn_.include(p.box);
        g.vertexCount_ += p.points.size();
    }
    for (const auto &a : g.arcs_) g.drawn_.include(a.box);
    for (const auto &t : g.texts_) g.drawn_.include(t.box);
    g.extents_ = g.sheet_;
    g.extents_.include(g.drawn_);
    return geometry;
}

const std::vector<DxfPoint> &GeometryPolyline::pointsWithin(double maxError) const {
    const std::vector<DxfPoint> *best = &points;
    for (const DetailLevel &level : levels) {
        if (level.error > maxError) break;
        best = &level.points;
    }
    return *best;
}

}  // namespace rovena::preview
