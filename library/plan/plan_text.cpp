#include "plan/plan_text.h"

#include <cmath>
#include <numbers>

#include "plan/plan_frame.h"

namespace korvane::plan {

namespace {

// Reads from the bottom or the right: the direction of reading lies in
// (−90°, 90°].
bool readable(double rotation) {
    const double c = std::cos(rotation);
    return c > 1e-9 || (c > -1e-9 && std::sin(rotation) > 0);
}

} // namespace

double estimatedLength(const std::string &cp932, double height) {
    return 0.5 * height * static_cast<double>(cp932.size());
}

PlanText textAlongRay(Point p, Point t, Point ray, double scale, std::string cp932) {
    const double height = textHeight(scale);
    double rotation = std::atan2(ray.y, ray.x) + 0.0;
    const bool turned = !readable(rotation);
    // In (−180°, 180°], and never "-0.000000".
    if (turned) rotation = std::remainder(rotation + std::numbers::pi, 2 * std::numbers::pi) + 0.0;
    // The characters stand on the side of the base line its "up" points to:
    // the base line lies one scale ahead when up points ahead, else one
    // height further.
    const Point up{-std::sin(rotation), std::cos(rotation)};
    const double ahead = up.x * t.x + up.y * t.y > 0 ? scale : scale + height;
    const Point base = plus(plus(p, ray, scale), t, ahead);
    if (!turned) return PlanText{base, std::nullopt, height, rotation, std::move(cp932)};
    const Point start = plus(base, ray, estimatedLength(cp932, height));
    return PlanText{start, base, height, rotation, std::move(cp932)};
}

} // namespace korvane::plan
