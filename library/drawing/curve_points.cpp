#include "drawing/curve_points.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "drawing/drawing_frame.h"
#include "drawing/linework.h"
#include "params/design_record.h"

namespace korvane {

std::size_t nLeft = 0;
std::size_t nRight = 0;

namespace {

Point firstKe{0.0, 0.0};

// Compared bit for bit: -0 and 0 (whose sines differ in sign) count as
// different values, and a NaN never matches.
bool same(double a, double b) {
    return a == a && std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// What a lane point takes from its clothoid at distance s: the centre point
// in the clothoid's own frame and the sine and cosine of the tangent angle.
struct LaneBase {
    double s;
    Point centre;
    double sinTau;
    double cosTau;
};

LaneBase computeLaneBase(double A, double s) {
    const double tau = s * s / (2.0 * A * A);
    return LaneBase{s, clothoidPoint(A, s), std::sin(tau), std::cos(tau)};
}

// Every lane line of a clothoid is stepped at the same distances as the one
// before it, so the bases of a lane are kept in stepping order and the next
// lanes read them back instead of computing them again. An entry is used only
// for the very same parameter and distance (bit for bit), so a point is
// always exactly the one computed afresh; a stepping that differs only costs
// the computation. Lanes longer than the table have their first steps kept.
constexpr std::size_t kLaneBaseCapacity = 32768;
LaneBase laneBases[kLaneBaseCapacity];
double laneBaseParameter = 0.0;
std::size_t laneBaseCount = 0;  // entries of the kept stepping
std::size_t laneBaseCursor = 0; // the entry the next step is expected at

// The table is brought into memory whole when first used, so the memory of
// a drawing does not depend on how many of its entries the drawing fills.
void touchLaneBases() {
    static bool touched = false;
    if (touched) return;
    std::memset(static_cast<void *>(laneBases), 0, sizeof laneBases);
    touched = true;
}

LaneBase laneBase(double A, double s) {
    touchLaneBases();
    const bool sameClothoid = laneBaseCount > 0 && same(A, laneBaseParameter);
    if (sameClothoid) {
        if (laneBaseCursor < laneBaseCount && same(laneBases[laneBaseCursor].s, s))
            return laneBases[laneBaseCursor++];
        if (same(laneBases[0].s, s)) { // the next lane starts
            laneBaseCursor = 1;
            return laneBases[0];
        }
    }
    const LaneBase base = computeLaneBase(A, s);
    if (sameClothoid && laneBaseCursor >= kLaneBaseCapacity) {
        ++laneBaseCursor; // beyond the table
    } else if (sameClothoid && laneBaseCursor == laneBaseCount &&
               s >= laneBases[laneBaseCount - 1].s) {
        laneBases[laneBaseCount++] = base; // the lane goes on
        laneBaseCursor = laneBaseCount;
    } else { // another clothoid or another stepping: keep this one from here
        laneBaseParameter = A;
        laneBases[0] = base;
        laneBaseCount = 1;
        laneBaseCursor = 1;
    }
    return base;
}

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
    const LaneBase base = laneBase(A, s);
    const Point c = base.centre;
    const double widening = wideningAmount(A, s, method, amount);
    // Widening always moves a line away from the centre line.
    const double t = w >= 0 ? w + widening : w - widening;
    const double sinTau = base.sinTau;
    const double cosTau = base.cosTau;
    if (design.iaRadians > 0)
        return Point{(c.x - t * sinTau) * 1000.0, baseY() + (c.y + t * cosTau) * 1000.0};
    return Point{(c.x + t * sinTau) * 1000.0, baseY() + (t * cosTau - c.y) * 1000.0};
}

namespace {

// The second-clothoid frame as placed in the drawing: its origin (the second
// KA) and the turn by IA. Every point of the second clothoid and its lane
// lines passes through it, so it is worked out once for the values it
// depends on and again only when one of them changes.
struct SecondFrame {
    double iaRadians;
    double tangent1;
    double tangent2;
    double scale;
    Point ka;
    double cosIa;
    double sinIa;
};

SecondFrame secondFrame{0.0, 0.0, 0.0, 0.0, Point{0.0, 0.0}, 1.0, 0.0};
bool secondFrameSet = false;

const SecondFrame &currentSecondFrame() {
    SecondFrame &f = secondFrame;
    if (!secondFrameSet || !same(f.iaRadians, design.iaRadians) ||
        !same(f.tangent1, design.tangent1) || !same(f.tangent2, design.tangent2) ||
        !same(f.scale, design.scale)) {
        f.iaRadians = design.iaRadians;
        f.tangent1 = design.tangent1;
        f.tangent2 = design.tangent2;
        f.scale = design.scale;
        f.ka = secondKaPoint();
        f.cosIa = std::cos(design.iaRadians);
        f.sinIa = std::sin(design.iaRadians);
        secondFrameSet = true;
    }
    return f;
}

} // namespace

Point secondFrameToDrawing(Point p) {
    const SecondFrame &f = currentSecondFrame();
    const double dy = p.y - baseY();
    return Point{f.ka.x + p.x * f.cosIa - dy * f.sinIa, f.ka.y + p.x * f.sinIa + dy * f.cosIa};
}

} // namespace korvane
