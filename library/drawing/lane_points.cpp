#include "drawing/lane_points.h"

#include <bit>
#include <cmath>
#include <cstdint>

#include "params/design_record.h"

namespace korvane {

namespace {

// Compared bit for bit: -0 and 0 (whose sines differ in sign) count as
// different values, and a NaN never matches.
bool same(double a, double b) {
    return a == a && std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

LaneBase laneBase(LanePoints::Kept &kept, double A, double s) {
    LaneBase *const bases = kept.bases;
    const bool sameClothoid = kept.count > 0 && same(A, kept.parameter);
    if (sameClothoid) {
        if (kept.cursor < kept.count && same(bases[kept.cursor].s, s)) return bases[kept.cursor++];
        if (same(bases[0].s, s)) { // the next lane starts
            kept.cursor = 1;
            return bases[0];
        }
    }
    const double tau = s * s / (2.0 * A * A);
    const LaneBase computed{s, clothoidPoint(A, s), std::sin(tau), std::cos(tau)};
    if (sameClothoid && kept.cursor >= kLaneBaseCapacity) {
        ++kept.cursor; // beyond the table
    } else if (sameClothoid && kept.cursor == kept.count && s >= bases[kept.count - 1].s) {
        bases[kept.count++] = computed; // the lane goes on
        kept.cursor = kept.count;
    } else { // another clothoid or another stepping: keep this one from here
        kept.parameter = A;
        bases[0] = computed;
        kept.count = 1;
        kept.cursor = 1;
    }
    return computed;
}

} // namespace

double wideningAmount(double radius, double A, double s, double method, double amount) {
    const double r = s / (A * A / radius);
    if (method == 1.0) return amount * r;
    if (method == 2.0) return amount * (4.0 * r * r * r - 3.0 * r * r * r * r);
    return 0.0;
}

LanePoints::LanePoints(const DrawingFrame &frame, double radius, LaneBase *table)
    : baseY_(frame.baseY()), turnsLeft_(frame.turnsLeft()), radius_(radius), kept_{table} {}

Point LanePoints::at(double A, double s, double w, double method, double amount) {
    const LaneBase b = laneBase(kept_, A, s);
    const Point c = b.centre;
    const double widening = wideningAmount(radius_, A, s, method, amount);
    // Widening always moves a line away from the centre line.
    const double t = w >= 0 ? w + widening : w - widening;
    if (turnsLeft_)
        return Point{(c.x - t * b.sinTau) * 1000.0, baseY_ + (c.y + t * b.cosTau) * 1000.0};
    return Point{(c.x + t * b.sinTau) * 1000.0, baseY_ + (t * b.cosTau - c.y) * 1000.0};
}

std::size_t countLaneLines(const double *widths) {
    std::size_t n = 0;
    while (n < kLaneCapacity && widths[n] != 0) ++n;
    return n;
}

} // namespace korvane
