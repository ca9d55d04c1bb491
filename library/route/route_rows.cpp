#include "route/route_rows.h"

#include <cmath>

namespace korvane::route {

namespace {

constexpr double kSamePlace = 1e-9;
constexpr double kNoKink = 1e-12;

// The change of direction where the line bends at distance s (0 elsewhere):
// between the end of the segment before s and the one that begins at s.
double kinkAt(const Alignment &alignment, double s) {
    const std::size_t i = segmentIndexAt(alignment, s);
    if (i == 0 || i >= alignment.segments.size() || std::fabs(alignment.starts[i] - s) > kSamePlace) return 0;
    return jointAfter(alignment, i - 1).kink;
}

PlanePoint stakePoint(const Alignment &alignment, const TableRow &row, double offset) {
    const double kink = row.kind == RowKind::Main ? kinkAt(alignment, row.distance) : 0;
    if (std::fabs(kink) < kNoKink) return offsetFrom(row.pose.point, row.pose.direction, offset);
    const double bisector = row.pose.direction - kink / 2;
    return offsetFrom(row.pose.point, bisector, offset / std::cos(kink / 2));
}

} // namespace

std::vector<TableRow> loadedRows(const LoadedRoute &route, std::vector<Message> &messages) {
    if (hasRefusal(route.messages) || route.alignment.segments.empty()) return {};
    return stationedRows(route.alignment, route.mainPoints, route.settings.stationing, messages);
}

std::vector<Stake> stakes(const Alignment &alignment, const std::vector<TableRow> &rows, StakeWidths widths) {
    std::vector<Stake> out;
    out.reserve(2 * rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (const auto &[side, width] : {std::pair{-1, widths.left}, std::pair{1, widths.right}})
            if (width > 0) out.push_back(Stake{i, side, width, stakePoint(alignment, rows[i], side * width)});
    return out;
}

} // namespace korvane::route
