#include "drawing/drawing_frame.h"

#include <cmath>

namespace korvane {

DrawingFrame::DrawingFrame(const DesignRecord &design)
    : scale_(design.scale), baseY_(297.0 * design.scale), iaRadians_(design.angles.iaRadians),
      a1_(design.a1), a2_(design.a2),
      secondKa_{design.elements.tangent1 * 1000.0 +
                    design.elements.tangent2 * 1000.0 * std::cos(design.angles.iaRadians),
                baseY_ + design.elements.tangent2 * 1000.0 * std::sin(design.angles.iaRadians)},
      cosIa_(std::cos(design.angles.iaRadians)), sinIa_(std::sin(design.angles.iaRadians)) {}

Point DrawingFrame::firstCentrePoint(double s) const {
    const Point c = clothoidPoint(a1_, s);
    return Point{c.x * 1000.0, baseY_ + sigma() * c.y * 1000.0};
}

Point DrawingFrame::secondCentrePoint(double s) const {
    const Point c = clothoidPoint(a2_, s);
    return Point{-c.x * 1000.0, baseY_ + sigma() * c.y * 1000.0};
}

} // namespace korvane
