#include "route_plan_drawing.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace rovena {

namespace {

namespace kr = korvane::route;
using preview::DxfPoint;

constexpr double kMillimetres = 1000;
// Colours (AutoCAD colour numbers) of what the plan holds.
constexpr int kCentreColour = 5;  // blue
constexpr int kPolygonColour = 8; // grey
constexpr int kMainColour = 1;    // red
constexpr int kStationColour = 7; // black

// The size of the texts: a tenth of the pitch, within 0.5 m and 10 m.
double textHeight(const kr::RouteSettings &settings) {
    return std::clamp(settings.stationing.pitch * 0.1, 0.5, 10.0) * kMillimetres;
}

DxfPoint along(DxfPoint p, DxfPoint unit, double distance) { return {p.x + unit.x * distance, p.y + unit.y * distance}; }

// To the right of a direction, seen on the map.
DxfPoint rightOf(double direction) { return {std::cos(direction), -std::sin(direction)}; }

// The step along a segment whose chords stay within the tolerance.
double chordStep(const kr::Segment &segment) {
    const double curvature = std::max(std::fabs(segment.startCurvature), std::fabs(segment.endCurvature));
    if (curvature <= 0) return segment.length;
    return std::sqrt(8 * (kPlanTolerance / kMillimetres) / curvature);
}

void addSegmentPoints(const kr::Segment &segment, double from, double to, std::vector<DxfPoint> &points) {
    const double step = chordStep(segment);
    const int steps = std::max(1, static_cast<int>(std::ceil((to - from) / step)));
    for (int i = points.empty() ? 0 : 1; i <= steps; ++i)
        points.push_back(planPoint(kr::poseAt(segment, from + (to - from) * i / steps).point));
}

double degreesOf(DxfPoint from, DxfPoint to) { return std::atan2(to.y - from.y, to.x - from.x) * 180 / std::numbers::pi; }

preview::DxfArc arcOf(const kr::Segment &segment) {
    const DxfPoint centre = planPoint(kr::arcCentre(segment));
    const double start = degreesOf(centre, planPoint(segment.start));
    const double end = degreesOf(centre, planPoint(kr::segmentEnd(segment).point));
    // Turning clockwise on the map runs clockwise in the drawing too; an arc
    // of the drawing runs anticlockwise, from the end back to the start.
    const bool clockwise = segment.startCurvature > 0;
    return preview::DxfArc{"中心線", kCentreColour, centre, kMillimetres / std::fabs(segment.startCurvature),
                           clockwise ? end : start, clockwise ? start : end};
}

// The width of a text as the preview measures it.
double textLength(const std::string &text, double height) { return 0.5 * height * static_cast<double>(text.size()); }

// A text along the direction of unit from p, centred on that line and turned
// so that it reads from left to right.
preview::DxfText textAlong(const std::string &text, DxfPoint p, DxfPoint unit, double height, int colour,
                           const char *layer) {
    const double length = textLength(text, height);
    const bool flipped = unit.x < -1e-9;
    const DxfPoint reading = flipped ? DxfPoint{-unit.x, -unit.y} : unit;
    const DxfPoint up{-reading.y, reading.x};
    const DxfPoint start = flipped ? along(p, unit, length) : p;
    preview::DxfText t;
    t.layer = layer;
    t.color = colour;
    t.position = along(start, up, -height / 2);
    t.height = height;
    t.rotationDegrees = std::atan2(reading.y, reading.x) * 180 / std::numbers::pi;
    t.bytes = text;
    t.utf8 = text;
    return t;
}

preview::DxfPolyline circle(DxfPoint centre, double radius, int colour, const char *layer) {
    preview::DxfPolyline ring{layer, colour, true, {}};
    constexpr int sides = 16;
    for (int i = 0; i < sides; ++i) {
        const double a = 2 * std::numbers::pi * i / sides;
        ring.vertices.push_back({centre.x + radius * std::cos(a), centre.y + radius * std::sin(a)});
    }
    return ring;
}

void addCentreLine(const kr::Alignment &alignment, preview::DxfDrawing &drawing) {
    preview::DxfPolyline run{"中心線", kCentreColour, false, {}};
    const auto flush = [&] {
        if (run.vertices.size() >= 2) drawing.polylines.push_back(run);
        run.vertices.clear();
    };
    for (const kr::Segment &segment : alignment.segments) {
        if (segment.kind == kr::SegmentKind::Arc && segment.startCurvature != 0) {
            flush();
            drawing.arcs.push_back(arcOf(segment));
            continue;
        }
        addSegmentPoints(segment, 0, segment.length, run.vertices);
    }
    flush();
}

void addIps(const ComputedRoute &route, double height, preview::DxfDrawing &drawing) {
    preview::DxfPolyline polygon{"IP", kPolygonColour, false, {}};
    const std::vector<kr::IpInput> &points = route.route.ips;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const DxfPoint p = planPoint(points[i].point);
        polygon.vertices.push_back(p);
        drawing.polylines.push_back(circle(p, height / 2, kPolygonColour, "IP"));
        preview::DxfText name = textAlong(kr::pointName(points, i), along(p, {1, 0}, height), {1, 0}, height,
                                          kPolygonColour, "IP");
        name.position.y += height;
        drawing.texts.push_back(name);
    }
    if (polygon.vertices.size() >= 2) drawing.polylines.push_back(polygon);
}

void addRows(const ComputedRoute &route, double height, preview::DxfDrawing &drawing) {
    for (const kr::TableRow &row : route.rows) {
        const DxfPoint p = planPoint(row.pose.point);
        const DxfPoint right = rightOf(row.pose.direction);
        const DxfPoint left{-right.x, -right.y};
        if (row.kind == kr::RowKind::Main) {
            drawing.lines.push_back({"主要点", kMainColour, along(p, left, height), along(p, right, 4 * height)});
            drawing.polylines.push_back(circle(p, height / 3, kMainColour, "主要点"));
            drawing.texts.push_back(textAlong(row.name, along(p, right, 4.5 * height), right, height, kMainColour, "主要点"));
            continue;
        }
        drawing.lines.push_back({"測点", kStationColour, along(p, left, height), along(p, right, height)});
        drawing.texts.push_back(textAlong(row.name, along(p, left, 1.5 * height), left, height, kStationColour, "測点"));
    }
}

} // namespace

DxfPoint planPoint(kr::PlanePoint point) { return {point.y * kMillimetres, point.x * kMillimetres}; }

std::vector<DxfPoint> centreLinePoints(const kr::Alignment &alignment, double from, double to) {
    std::vector<DxfPoint> points;
    for (std::size_t i = 0; i < alignment.segments.size(); ++i) {
        const double start = alignment.starts[i], end = alignment.starts[i + 1];
        if (end < from || start > to) continue;
        addSegmentPoints(alignment.segments[i], std::max(from, start) - start, std::min(to, end) - start, points);
    }
    return points;
}

preview::DxfDrawing routePlanDrawing(const ComputedRoute &route) {
    preview::DxfDrawing drawing;
    const double height = textHeight(route.route.settings);
    addIps(route, height, drawing);
    addCentreLine(route.route.alignment, drawing);
    addRows(route, height, drawing);
    return drawing;
}

} // namespace rovena
