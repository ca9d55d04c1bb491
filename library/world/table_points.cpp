#include "world/table_points.h"

#include <cmath>

#include "params/design_record.h"
#include "params/message_box.h"
#include "route/table_rows.h"

namespace korvane {

namespace {

constexpr double kSamePlace = 1e-6; // metres of 追加距離

// The main points at their distances along the line from BP.
std::vector<route::MainPoint> mainPoints(const WorldAlignment &w) {
    const double ka1 = w.ka1Along;
    return {{"BP", 0, 0},
            {"KA1", ka1, 1},
            {"KE1", ka1 + w.lengthIn, 1},
            {"KE2", ka1 + w.lengthIn + w.arcLength, 1},
            {"KA2", ka1 + w.curveLength(), 1},
            {"EP", w.epDistance - w.bpDistance, 2}};
}

bool stationsWithinLimit(const WorldAlignment &w) {
    const double pitch = design.stationPitch;
    const double first = std::ceil(w.bpDistance / pitch - kSamePlace);
    const double last = std::floor(w.epDistance / pitch + kSamePlace);
    if (last - first + 1 <= static_cast<double>(kMaximumStations)) return true;
    showError("BP から EP までの測点が 100000 を超えます。測点ピッチか BP, EP を見直してください。");
    return false;
}

// The normal positions of the design, measured from its first KA; with
// stations from its second KA the line runs the other way.
std::vector<route::ExtraStation> normals(const WorldAlignment &w) {
    std::vector<route::ExtraStation> out;
    const double total = w.curveLength();
    for (const double position : design.normals.positions) {
        if (position == 0) break;
        const double u = w.stationsFromEp ? total - position : position;
        out.push_back(route::ExtraStation{w.origin + u, "法線"});
    }
    return out;
}

PointKind kindOf(route::RowKind kind) {
    switch (kind) {
    case route::RowKind::Main: return PointKind::Main;
    case route::RowKind::FullStation: return PointKind::Station;
    case route::RowKind::Extra: break;
    }
    return PointKind::Normal;
}

} // namespace

std::vector<TablePoint> tablePoints(const WorldAlignment &w) {
    if (!stationsWithinLimit(w)) return {};
    route::Stationing stationing;
    stationing.bpStation = w.bpDistance;
    stationing.pitch = design.stationPitch;
    stationing.extras = normals(w);
    std::vector<route::Message> messages;
    const std::vector<route::TableRow> rows = route::stationedRows(w.route.alignment, mainPoints(w), stationing, messages);
    for (const route::Message &m : messages) {
        if (m.severity != route::Severity::Refusal) continue;
        showError(m.text);
        return {};
    }
    std::vector<TablePoint> points;
    points.reserve(rows.size() + 1);
    for (const route::TableRow &r : rows)
        points.push_back(TablePoint{r.name, r.label, r.station, LinePoint{r.pose.point, r.pose.direction}, kindOf(r.kind)});
    // BP and EP are the given points themselves.
    points.front().at.point = w.placement.bp;
    for (TablePoint &p : points)
        if (p.name == "EP" && p.kind == PointKind::Main) p.at.point = w.placement.ep;
    const double ipDistance = w.origin + w.tangentIn;
    points.push_back(TablePoint{"IP", route::stationLabel(ipDistance, design.stationPitch), ipDistance,
                                LinePoint{w.placement.ip, w.turn.outDirection}, PointKind::Intersection});
    return points;
}

} // namespace korvane
