#include "drawing/curve_points.h"

#include <cmath>

#include "drawing/drawing_frame.h"
#include "drawing/linework.h"
#include "params/design_record.h"

namespace korvane {

std::size_t nLeft = 0;
std::size_t nRight = 0;

namespace {
Point firstKe{0.0, 0.0};
} // namespace

Point firstCentrePoint(double s) {
    const Point c = clothoidPoint(design.a1, s);
    return Point{c.x * 1000.0, baseY() + sigma() * c.y * 1000.0};
}

Point secondCentrePoint(double s) {
    const Point c = clothoidPoint(design.a2, s);
    return Point{-c.x * 1000.0, baseY() + sigma() * c.y * 1000.0};
}

Point secondKaPoint() {
    return Point{design.tangent1 * 1000.0 + design.tangent2 * 1000.0 * std::cos(design.iaRadians),
                 baseY() + design.tangent2 * 1000.0 * std::sin(design.iaRadians)};
}

Point firstClothoidEnd() { return firstKe; }
void setFirstClothoidEnd(Point p) { firstKe = p; }

std::size_t countLaneLines(const double *widths) {
    std::size_t n = 0;
    while (n < kLaneCapacity && widths[n] != 0) ++n;
    return n;
}

double wideningAmount(double A, double s, double method, double amount) {
    const double r = s / (A * A / design.radius);
    if (method == 1.0) return amount * r;
    if (method == 2.0) return amount * (4.0 * r * r * r - 3.0 * r * r * r * r);
    return 0.0;
}

Point lanePoint(double A, double s, double w, double method, double amount) {
    const double tau = s * s / (2.0 * A * A);
    const Point c = clothoidPoint(A, s);
    const double widening = wideningAmount(A, s, method, amount);
    // Widening always moves a line away from the centre line.
    const double t = w >= 0 ? w + widening : w - widening;
    const double sinTau = std::sin(tau);
    const double cosTau = std::cos(tau);
    if (design.iaRadians > 0)
        return Point{(c.x - t * sinTau) * 1000.0, baseY() + (c.y + t * cosTau) * 1000.0};
    return Point{(c.x + t * sinTau) * 1000.0, baseY() + (t * cosTau - c.y) * 1000.0};
}

Point secondFrameToDrawing(Point p) {
    const Point ka = secondKaPoint();
    const double c = std::cos(design.iaRadians);
    const double s = std::sin(design.iaRadians);
    const double dy = p.y - baseY();
    return Point{ka.x + p.x * c - dy * s, ka.y + p.x * s + dy * c};
}

} // namespace korvane
