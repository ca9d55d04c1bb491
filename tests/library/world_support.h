// Helpers for the world-placement tests: a placement file, and the curve of a
// design followed by numerical integration of its curvature in the world
// frame, independent of the library's series.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>

#include "drawing_support.h"

namespace world_support {

struct Xy {
    double x; // north
    double y; // east
};

inline Xy along(Xy from, double direction, double distance) {
    return Xy{from.x + distance * std::cos(direction), from.y + distance * std::sin(direction)};
}

inline double radians(double degrees) { return degrees * std::numbers::pi / 180; }

inline std::string coordinateText(Xy p) {
    char text[96];
    std::snprintf(text, sizeof text, "%.10f %.10f", p.x, p.y);
    return text;
}

inline std::string placementText(Xy bp, Xy ip, Xy ep, const std::string &zone = "9",
                                 const std::string &route = "国道1号") {
    return "# Rovena 設計ファイル\n[design]\nformat = 1\n\n[placement]\nzone = " + zone + "\nroute = " + route +
           "\nbp = " + coordinateText(bp) + "\nip = " + coordinateText(ip) + "\nep = " + coordinateText(ep) + "\n";
}

// Centre line of clothoid A1, arc R, clothoid A2 turning by IA, stepped from
// its first KA: the direction is the integral of the curvature (0 → 1/R → 0),
// the position the integral of (cos, sin) of the direction by Simpson's rule
// in steps of at most 5 mm, split at the element ends.
class CurveIntegrator {
public:
    CurveIntegrator(double a1, double radius, double a2, double ia, Xy ka, double startDirection, double side)
        : a1_(a1), a2_(a2), radius_(radius), side_(side), start_(startDirection), p_(ka) {
        l1_ = a1 * a1 / radius;
        l2_ = a2 * a2 / radius;
        arc_ = radius * (ia - l1_ / (2 * radius) - l2_ / (2 * radius));
    }

    double curveLength() const { return l1_ + arc_ + l2_; }

    // Turned angle from the start, from the curvature integrated exactly.
    double turned(double s) const {
        if (s <= l1_) return s * s / (2 * a1_ * a1_);
        if (s <= l1_ + arc_) return l1_ / (2 * radius_) + (s - l1_) / radius_;
        const double v = std::min(curveLength(), s) - l1_ - arc_;
        return l1_ / (2 * radius_) + arc_ / radius_ + v * (2 * l2_ - v) / (2 * a2_ * a2_);
    }
    double direction(double s) const { return start_ + side_ * turned(s); }

    // Position at s ≥ the last position asked for.
    Xy advanceTo(double s) {
        for (const double end : {l1_, l1_ + arc_, curveLength(), s}) {
            const double target = std::min(end, s);
            while (s_ < target) {
                const double h = std::min(0.005, target - s_);
                step(h);
            }
        }
        return p_;
    }

private:
    void step(double h) {
        const double d0 = direction(s_), dm = direction(s_ + h / 2), d1 = direction(s_ + h);
        p_.x += h / 6 * (std::cos(d0) + 4 * std::cos(dm) + std::cos(d1));
        p_.y += h / 6 * (std::sin(d0) + 4 * std::sin(dm) + std::sin(d1));
        s_ += h;
    }

    double a1_, a2_, radius_, side_, start_;
    double l1_ = 0, l2_ = 0, arc_ = 0;
    double s_ = 0;
    Xy p_;
};

} // namespace world_support
