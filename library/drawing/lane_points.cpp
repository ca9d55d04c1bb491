#include "drawing/lane_points.h"

#include <bit>
#include <cmath>
#include <cstdint>

#include "params/design_record.h"

namespace korvane {

namespace {

// Entries of the kept stepping.
constexpr std::size_t kLaneBaseCapacity = 32768;

// Compared bit for bit: -0 and 0 (whose sines differ in sign) count as
// different values, and a NaN never matches.
bool same(double a, double b) {
    return a == a && std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

} // namespace

double wideningAmount(double radius, double A, double s, double method, double amount) {
    const double r = s / (A * A / radius);
    if (method == 1.0) return amount * r;
    if (method == 2.0) return amount * (4.0 * r * r * r - 3.0 * r * r * r * r);
    return 0.0;
}

LanePoints::LanePoints(const DrawingFrame &frame, double radius)
    : baseY_(frame.baseY()), turnsLeft_(frame.turnsLeft()), radius_(radius) {}

LanePoints::LaneBase LanePoints::base(double A, double s) {
    if (!bases_) bases_ = std::make_unique_for_overwrite<LaneBase[]>(kLaneBaseCapacity);
    const bool sameClothoid = count_ > 0 && same(A, parameter_);
    if (sameClothoid) {
        if (cursor_ < count_ && same(bases_[cursor_].s, s)) return bases_[cursor_++];
        if (same(bases_[0].s, s)) { // the next lane starts
            cursor_ = 1;
            return bases_[0];
        }
    }
    const double tau = s * s / (2.0 * A * A);
    const LaneBase computed{s, clothoidPoint(A, s), std::sin(tau), std::cos(tau)};
    if (sameClothoid && cursor_ >= kLaneBaseCapacity) {
        ++cursor_; // beyond the table
    } else if (sameClothoid && cursor_ == count_ && s >= bases_[count_ - 1].s) {
        bases_[count_++] = computed; // the lane goes on
        cursor_ = count_;
    } else { // another clothoid or another stepping: keep this one from here
        parameter_ = A;
        bases_[0] = computed;
        count_ = 1;
        cursor_ = 1;
    }
    return computed;
}

Point LanePoints::at(double A, double s, double w, double method, double amount) {
    const LaneBase b = base(A, s);
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
