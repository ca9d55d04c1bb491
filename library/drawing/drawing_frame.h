// The drawing frame of one curve: millimetres at real size, first KA at
// (0, baseY), the first tangent along +x, the sheet an A1 sheet times the
// scale; and the frame of the second clothoid, whose KA is its origin, placed
// in it.
#pragma once

#include "geometry/clothoid.h"
#include "params/design_record.h"

namespace korvane {

class DrawingFrame {
public:
    // Needs the design's angles and elements.
    explicit DrawingFrame(const DesignRecord &design);

    double scale() const { return scale_; }
    double baseY() const { return baseY_; }
    // +1 when the curve turns left of the first tangent (IA >= 0), -1 otherwise.
    double sigma() const { return iaRadians_ < 0 ? -1.0 : 1.0; }
    // The curve turns left of the first tangent (IA > 0).
    bool turnsLeft() const { return iaRadians_ > 0; }
    double iaRadians() const { return iaRadians_; }

    // Centre point at distance s from the first KA, in the drawing frame.
    Point firstCentrePoint(double s) const;
    // Centre point at distance s from the second KA, in the second-clothoid frame.
    Point secondCentrePoint(double s) const;
    // The second KA in the drawing frame: IP plus tangent2 along the angle IA.
    Point secondKa() const { return secondKa_; }
    // A point of the second-clothoid frame in the drawing frame. Inline: every
    // point of the second clothoid and its lane lines passes through it.
    Point secondFrameToDrawing(Point p) const {
        const double dy = p.y - baseY_;
        return Point{secondKa_.x + p.x * cosIa_ - dy * sinIa_, secondKa_.y + p.x * sinIa_ + dy * cosIa_};
    }

private:
    double scale_;
    double baseY_;
    double iaRadians_;
    double a1_;
    double a2_;
    Point secondKa_;
    double cosIa_;
    double sinIa_;
};

} // namespace korvane
