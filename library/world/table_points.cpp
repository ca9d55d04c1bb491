#include "world/table_points.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "geometry/stationing.h"
#include "params/design_record.h"
#include "params/message_box.h"

namespace korvane {

namespace {

constexpr double kSamePlace = 1e-6; // metres of 追加距離

std::string labelAt(const WorldAlignment &w, double distance) {
    char text[kLabelCapacity];
    stationLabel(design, distance - w.origin, text, sizeof text);
    return text;
}

TablePoint pointAt(const WorldAlignment &w, std::string name, double distance, PointKind kind) {
    return TablePoint{std::move(name), labelAt(w, distance), distance, w.at(distance - w.origin), kind};
}

void addMainPoints(const WorldAlignment &w, std::vector<TablePoint> &points) {
    const double ka1 = w.origin;
    const double ke1 = ka1 + w.lengthIn;
    const double ke2 = ke1 + w.arcLength;
    const double ka2 = ka1 + w.curveLength();
    TablePoint bp = pointAt(w, "BP", w.bpDistance, PointKind::Main);
    TablePoint ep = pointAt(w, "EP", w.epDistance, PointKind::Main);
    bp.at.point = w.placement.bp; // the given points themselves
    ep.at.point = w.placement.ep;
    points.push_back(bp);
    points.push_back(TablePoint{"KA1", labelAt(w, ka1), ka1, LinePoint{w.ka1, w.turn.inDirection}, PointKind::Main});
    points.push_back(pointAt(w, "KE1", ke1, PointKind::Main));
    points.push_back(pointAt(w, "KE2", ke2, PointKind::Main));
    points.push_back(TablePoint{"KA2", labelAt(w, ka2), ka2, LinePoint{w.ka2, w.turn.outDirection}, PointKind::Main});
    points.push_back(ep);
}

bool addStations(const WorldAlignment &w, std::vector<TablePoint> &points) {
    const double pitch = design.stationPitch;
    const double first = std::ceil(w.bpDistance / pitch - kSamePlace);
    const double last = std::floor(w.epDistance / pitch + kSamePlace);
    if (last - first + 1 > static_cast<double>(kMaximumStations)) {
        showError("BP から EP までの測点が 100000 を超えます。測点ピッチか BP, EP を見直してください。");
        return false;
    }
    for (double n = first; n <= last; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "NO.%.0f", n);
        points.push_back(pointAt(w, name, n * pitch, PointKind::Station));
    }
    return true;
}

// The normal positions of the design, measured from its first KA; with
// stations from its second KA the line runs the other way.
void addNormals(const WorldAlignment &w, std::vector<TablePoint> &points) {
    const double total = w.curveLength();
    for (const double position : design.normals.positions) {
        if (position == 0) break;
        const double u = w.stationsFromEp ? total - position : position;
        points.push_back(pointAt(w, "法線", w.origin + u, PointKind::Normal));
    }
}

// Sorted by 追加距離 (main points were added first, so they lead among equal
// distances); of a station or normal line and another point at the same
// place only the more important stays.
std::vector<TablePoint> withoutRepeats(std::vector<TablePoint> points) {
    std::stable_sort(points.begin(), points.end(),
                     [](const TablePoint &a, const TablePoint &b) { return a.distance < b.distance; });
    std::vector<TablePoint> kept;
    for (TablePoint &p : points) {
        const bool repeat = !kept.empty() && std::fabs(kept.back().distance - p.distance) < kSamePlace;
        if (!repeat || (p.kind == PointKind::Main && kept.back().kind == PointKind::Main)) {
            kept.push_back(std::move(p));
        } else if (static_cast<int>(p.kind) < static_cast<int>(kept.back().kind)) {
            kept.back() = std::move(p);
        }
    }
    return kept;
}

} // namespace

std::vector<TablePoint> tablePoints(const WorldAlignment &w) {
    std::vector<TablePoint> points;
    addMainPoints(w, points);
    if (!addStations(w, points)) return {};
    addNormals(w, points);
    points = withoutRepeats(std::move(points));
    const double ipDistance = w.origin + w.tangentIn;
    points.push_back(TablePoint{"IP", labelAt(w, ipDistance), ipDistance,
                                LinePoint{w.placement.ip, w.turn.outDirection}, PointKind::Intersection});
    return points;
}

} // namespace korvane
