// Points of the lane lines along a clothoid, and the number of lane lines of
// a side.
#pragma once

#include <cstddef>

#include "drawing/drawing_frame.h"
#include "geometry/clothoid.h"

namespace korvane {

// The widening of a lane line at distance s from the KA of a clothoid of
// parameter A: the method (1 linear, 2 higher order, anything else none)
// applied to the amount, reached in whole at KE.
double wideningAmount(double radius, double A, double s, double method, double amount);

// What a lane point takes from its clothoid at distance s: the centre point
// in the clothoid's own frame and the sine and cosine of the tangent angle.
struct LaneBase {
    double s;
    Point centre;
    double sinTau;
    double cosTau;
};

// Entries of the table of lane bases.
inline constexpr std::size_t kLaneBaseCapacity = 32768;

// The lane points of one drawing. Every lane line of a clothoid is stepped at
// the same distances as the one before it, so what a lane takes from the
// clothoid at each step is kept in stepping order and the next lanes read it
// back instead of computing it again. An entry is used only for the very
// same parameter and distance (bit for bit), so a point is always exactly the
// one computed afresh; a stepping that differs only costs the computation.
// Lanes longer than the table have their first steps kept.
class LanePoints {
public:
    // table: kLaneBaseCapacity entries to keep the stepping in; what it holds
    // is not read before this object has written it.
    LanePoints(const DrawingFrame &frame, double radius, LaneBase *table);

    // The point of a lane line at signed distance w (left positive) from the
    // centre line, at distance s from the KA of a clothoid of parameter A,
    // widened by the method and amount; in the first clothoid's drawing frame.
    Point at(double A, double s, double w, double method, double amount);

    // The stepping kept in the table.
    struct Kept {
        LaneBase *bases;
        double parameter = 0.0;
        std::size_t count = 0;  // entries of the kept stepping
        std::size_t cursor = 0; // the entry the next step is expected at
    };

private:
    double baseY_;
    bool turnsLeft_;
    double radius_;
    Kept kept_;
};

// Lane lines of a side: the index of the first 0 among its widths, or all of
// them when none is 0.
std::size_t countLaneLines(const double *widths);

} // namespace korvane
