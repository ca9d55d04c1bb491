// Normal lines across the centre line and the labels beside them.
#pragma once

#include "drawing/drawing_run.h"
#include "geometry/clothoid.h"

namespace korvane {

// The two ends of a normal line, 20000 units long, square to the centre line
// at P whose tangent makes the angle tau; in whatever frame P is given, on a
// curve that turns left or right of the first tangent.
struct NormalLine {
    Point from;
    Point to;
};
NormalLine normalLineEnds(Point p, double tau, bool turnsLeft);

// The same at a KA point: vertical whatever the sign of IA.
NormalLine kaNormalLineEnds(Point p);

// One LINE across the centre line at P (drawing frame).
void writeNormalLine(DrawingRun &run, Point p, double tau);
void writeKaNormalLine(DrawingRun &run, Point p);

// One TEXT beside P along the normal line; text is cp932.
void writeLabel(DrawingRun &run, Point p, double angle, const char *text);

} // namespace korvane
