// Normal lines across the centre line and the labels beside them.
#pragma once

#include "geometry/clothoid.h"

namespace korvane {

// The two ends of a normal line, 20000 units long, square to the centre line
// at P whose tangent makes the angle tau; in whatever frame P is given.
struct NormalLine {
    Point from;
    Point to;
};
NormalLine normalLineEnds(Point p, double tau);

// The same at a KA point: vertical whatever the sign of IA.
NormalLine kaNormalLineEnds(Point p);

// One LINE across the centre line at P (drawing frame).
void writeNormalLine(Point p, double tau);
void writeKaNormalLine(Point p);

// One TEXT beside P along the normal line; text is cp932.
void writeLabel(Point p, double angle, const char *text);

} // namespace korvane
