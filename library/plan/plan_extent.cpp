#include "plan/plan_extent.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "plan/plan_text.h"

namespace korvane::plan {

namespace {

class Box {
public:
    void include(Point p) {
        min_ = Point{std::min(min_.x, p.x), std::min(min_.y, p.y)};
        max_ = Point{std::max(max_.x, p.x), std::max(max_.y, p.y)};
    }
    bool empty() const { return min_.x > max_.x; }
    Extent padded(double margin) const {
        return Extent{{std::floor(min_.x - margin), std::floor(min_.y - margin)},
                      {std::ceil(max_.x + margin), std::ceil(max_.y + margin)}};
    }

private:
    static constexpr double kInf = std::numeric_limits<double>::infinity();
    Point min_{kInf, kInf};
    Point max_{-kInf, -kInf};
};

bool withinArc(double degrees, const PlanArc &a) {
    const double span = std::fmod(a.endDegrees - a.startDegrees + 360.0, 360.0);
    const double from = std::fmod(degrees - a.startDegrees + 360.0, 360.0);
    return from <= span;
}

// The arc's ends and every quarter point of its circle that it passes.
void includeArc(const CentrePiece &piece, Box &box) {
    for (const Point p : piece.points) box.include(p);
    const PlanArc &a = piece.arc;
    for (const double degrees : {0.0, 90.0, 180.0, 270.0})
        if (withinArc(degrees, a)) {
            const double r = degrees * std::numbers::pi / 180.0;
            box.include(Point{a.centre.x + a.radius * std::cos(r), a.centre.y + a.radius * std::sin(r)});
        }
}

void includeText(const PlanText &t, Box &box) {
    const Point along{std::cos(t.rotation), std::sin(t.rotation)};
    const Point up{-along.y, along.x};
    const double length = estimatedLength(t.text, t.height);
    for (const double a : {0.0, length})
        for (const double u : {0.0, t.height})
            box.include(Point{t.at.x + a * along.x + u * up.x, t.at.y + a * along.y + u * up.y});
    if (t.end) box.include(*t.end);
}

} // namespace

Extent planExtent(const PlanDrawing &plan) {
    Box box;
    for (const CentrePiece &piece : plan.centre) {
        if (piece.kind == route::SegmentKind::Arc) includeArc(piece, box);
        else
            for (const Point p : piece.points) box.include(p);
    }
    for (const auto *lines : {&plan.ipPolygon, &plan.ticks})
        for (const PlanLine &line : *lines) {
            box.include(line.from);
            box.include(line.to);
        }
    for (const PlanText &t : plan.texts) includeText(t, box);
    if (box.empty()) box.include(Point{0, 0});
    return box.padded(kSheetMargin * plan.scale);
}

} // namespace korvane::plan
