// The plan drawing of a route as values: the centre line element by element,
// the IP polygon, the station ticks and the texts, in drawing units
// (millimetres of the real world: x east, y north), before any of it is
// written.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "geometry/clothoid.h"
#include "route/segment.h"

namespace korvane::plan {

struct PlanLine {
    Point from;
    Point to;
};

// Runs counter-clockwise from startDegrees to endDegrees.
struct PlanArc {
    Point centre;
    double radius;
    double startDegrees;
    double endDegrees;
};

// One element of the centre line. points holds a straight's two ends, an
// arc's start and end along the line (the arc itself in arc), or the
// vertices of a clothoid's polyline.
struct CentrePiece {
    route::SegmentKind kind;
    std::vector<Point> points;
    PlanArc arc{};
};

// A text with its insertion point (the left end of its base line); one that
// is justified on its right end carries that end too, its insertion point
// then being where it is expected to begin.
struct PlanText {
    Point at;
    std::optional<Point> end;
    double height;
    double rotation; // radians, counter-clockwise from +x
    std::string text; // cp932
};

struct PlanDrawing {
    double scale = 1000;
    std::vector<CentrePiece> centre; // in order along the line
    std::vector<PlanLine> ipPolygon; // BP–IP1–…–EP
    std::vector<PlanLine> ticks;     // across the line at the stations and main points
    std::vector<PlanText> texts;
};

} // namespace korvane::plan
