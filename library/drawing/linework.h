// The linework of the curve: centre line and lane lines of both clothoids,
// the arc with its lane arcs and the two tangents.
#pragma once

#include "geometry/clothoid.h"

namespace korvane {

int writeFirstClothoid();
void writeArcLinework();
int writeSecondClothoid();
void writeTangentLines();

// Point of a lane line at signed distance w (left positive) in the first
// clothoid's drawing frame, at distance s from KA.
Point lanePoint(double A, double s, double w, double method, double amount);
double wideningAmount(double A, double s, double method, double amount);
Point secondFrameToDrawing(Point p);

} // namespace korvane
