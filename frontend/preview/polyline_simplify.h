// Douglas-Peucker simplification of a polyline: keeps the first and last
// point and every point without which some left-out point would lie farther
// than the tolerance from the simplified line. Works on DxfPoint (drawing
// units) and QPointF (device units) alike.
#pragma once

#include <QPointF>

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

#include "dxf_reader.h"

namespace rovena::preview {

inline double pointX(const DxfPoint &p) { return p.x; }
inline double pointY(const DxfPoint &p) { return p.y; }
inline double pointX(const QPointF &p) { return p.x(); }
inline double pointY(const QPointF &p) { return p.y(); }

// Scratch arrays, kept between calls to spare allocations.
struct SimplifyScratch {
    std::vector<char> keep;
    std::vector<std::pair<std::size_t, std::size_t>> stack;
};

// Squared distance of p from the segment a-b.
template <typename Point> double segmentDistance2(const Point &p, const Point &a, const Point &b) {
    const double dx = pointX(b) - pointX(a), dy = pointY(b) - pointY(a);
    const double vx = pointX(p) - pointX(a), vy = pointY(p) - pointY(a);
    const double length2 = dx * dx + dy * dy;
    const double t = length2 > 0.0 ? std::clamp((vx * dx + vy * dy) / length2, 0.0, 1.0) : 0.0;
    const double ox = vx - dx * t, oy = vy - dy * t;
    return ox * ox + oy * oy;
}

// Simplifies points in place.
template <typename Point>
void simplifyPolyline(std::vector<Point> &points, double tolerance, SimplifyScratch &scratch) {
    const std::size_t n = points.size();
    if (n <= 2) return;
    scratch.keep.assign(n, 0);
    scratch.keep[0] = scratch.keep[n - 1] = 1;
    scratch.stack.clear();
    scratch.stack.emplace_back(0, n - 1);
    const double tolerance2 = tolerance * tolerance;
    while (!scratch.stack.empty()) {
        const auto [first, last] = scratch.stack.back();
        scratch.stack.pop_back();
        double worst = -1.0;
        std::size_t worstAt = first;
        for (std::size_t i = first + 1; i < last; ++i) {
            const double e = segmentDistance2(points[i], points[first], points[last]);
            if (e > worst) {
                worst = e;
                worstAt = i;
            }
        }
        if (worst > tolerance2) {
            scratch.keep[worstAt] = 1;
            scratch.stack.emplace_back(first, worstAt);
            scratch.stack.emplace_back(worstAt, last);
        }
    }
    std::size_t out = 0;
    for (std::size_t i = 0; i < n; ++i)
        if (scratch.keep[i]) points[out++] = points[i];
    points.resize(out);
}

}  // namespace rovena::preview
