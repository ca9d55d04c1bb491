#include "route/table_rows.h"

#include <algorithm>
#include <cmath>

#include "route/number_text.h"

namespace korvane::route {

namespace {

constexpr double kSamePlace = 1e-6;

struct Candidate {
    double distance;
    double station;
    RowKind kind;
    std::size_t source; // the main point's or the extra station's index
};

// Full station numbers of each piece: a piece holds its start, not its end,
// except the last, which holds EP.
struct StationRange {
    double first, last;
};

StationRange fullStations(const StationMap &map, std::size_t i) {
    const StationPiece &p = map.pieces[i];
    const double end = p.station + (p.to - p.from);
    const bool lastPiece = i + 1 == map.pieces.size();
    const double first = std::ceil((p.station - kSamePlace) / map.pitch);
    const double last = lastPiece ? std::floor((end + kSamePlace) / map.pitch) : std::ceil((end - kSamePlace) / map.pitch) - 1;
    return StationRange{first, last};
}

bool addFullStations(const StationMap &map, std::size_t budget, std::vector<Candidate> &out,
                     std::vector<Message> &messages) {
    double count = 0;
    for (std::size_t i = 0; i < map.pieces.size(); ++i) {
        const StationRange r = fullStations(map, i);
        count += std::max(0.0, r.last - r.first + 1);
    }
    if (count > static_cast<double>(budget)) {
        messages.push_back(Message{Severity::Refusal, -1,
                                   "座標表の行が " + std::to_string(kMaxTableRows) + " を超えます（測点 " +
                                       fixedText(count, 0) + "）。測点ピッチを見直してください。"});
        return false;
    }
    for (std::size_t i = 0; i < map.pieces.size(); ++i) {
        const StationPiece &p = map.pieces[i];
        const StationRange r = fullStations(map, i);
        for (double n = r.first; n <= r.last; ++n) {
            const double station = n * map.pitch;
            const double distance = std::clamp(p.from + (station - p.station), p.from, p.to);
            out.push_back(Candidate{distance, station, RowKind::FullStation, 0});
        }
    }
    return true;
}

void addExtras(const StationMap &map, const std::vector<ExtraStation> &extras, std::vector<Candidate> &out,
               std::vector<Message> &messages) {
    for (std::size_t i = 0; i < extras.size(); ++i) {
        const std::vector<double> at = distancesAt(map, extras[i].station);
        if (at.empty())
            messages.push_back(Message{Severity::Warning, -1,
                                       "追加杭 " + stationLabel(extras[i].station, map.pitch) + "（追加距離 " +
                                           fixedText(extras[i].station, 3) + "）は路線の測点の範囲にないため、表に入れません。"});
        for (const double d : at) out.push_back(Candidate{d, extras[i].station, RowKind::Extra, i});
    }
}

// Sorted along the line, main points first among equal distances; a station
// at the place of a row already kept is dropped, or replaces a less
// important one.
std::vector<Candidate> withoutRepeats(std::vector<Candidate> all) {
    std::stable_sort(all.begin(), all.end(), [](const Candidate &a, const Candidate &b) {
        return a.distance < b.distance || (a.distance == b.distance && a.kind < b.kind);
    });
    std::vector<Candidate> kept;
    kept.reserve(all.size());
    for (const Candidate &c : all) {
        const bool repeat = !kept.empty() && std::fabs(kept.back().distance - c.distance) < kSamePlace;
        if (!repeat || (c.kind == RowKind::Main && kept.back().kind == RowKind::Main)) kept.push_back(c);
        else if (c.kind < kept.back().kind) kept.back() = c;
    }
    return kept;
}

} // namespace

std::vector<TableRow> tableRows(const Alignment &alignment, const std::vector<MainPoint> &mainPoints,
                                const StationMap &stations, const std::vector<ExtraStation> &extras,
                                std::vector<Message> &messages) {
    if (stations.pieces.empty()) return {};
    if (mainPoints.size() + extras.size() > kMaxTableRows) {
        messages.push_back(Message{Severity::Refusal, -1,
                                   "座標表の行が " + std::to_string(kMaxTableRows) + " を超えます（追加杭 " +
                                       std::to_string(extras.size()) + "）。"});
        return {};
    }
    std::vector<Candidate> all;
    all.reserve(mainPoints.size() + extras.size() + 1024);
    for (std::size_t i = 0; i < mainPoints.size(); ++i)
        all.push_back(Candidate{mainPoints[i].distance, stationAt(stations, mainPoints[i].distance), RowKind::Main, i});
    if (!addFullStations(stations, kMaxTableRows - mainPoints.size() - extras.size(), all, messages)) return {};
    addExtras(stations, extras, all, messages);

    const std::vector<Candidate> kept = withoutRepeats(std::move(all));
    std::vector<TableRow> rows;
    rows.reserve(kept.size());
    AlignmentWalker walker(alignment);
    for (const Candidate &c : kept) {
        TableRow row{{}, {}, c.station, c.distance, walker.at(c.distance), c.kind, -1};
        switch (c.kind) {
        case RowKind::Main:
            row.name = mainPoints[c.source].name;
            row.ip = mainPoints[c.source].ip;
            row.label = stationLabel(c.station, stations.pitch);
            break;
        case RowKind::FullStation: {
            const double number = std::round(c.station / stations.pitch);
            row.label = fullStationLabel(number);
            row.name = row.label.substr(0, row.label.find('+'));
            break;
        }
        case RowKind::Extra:
            row.label = stationLabel(c.station, stations.pitch);
            row.name = extras[c.source].name.empty() ? row.label : extras[c.source].name;
            break;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<TableRow> stationedRows(const Alignment &alignment, const std::vector<MainPoint> &mainPoints,
                                    const Stationing &stationing, std::vector<Message> &messages) {
    const StationMap map = mapStations(stationing, alignment.length(), messages);
    return tableRows(alignment, mainPoints, map, stationing.extras, messages);
}

std::vector<TableRow> routeRows(const Route &route, const Stationing &stationing, std::vector<Message> &messages) {
    if (hasRefusal(route.messages) || route.alignment.segments.empty()) return {};
    return stationedRows(route.alignment, route.mainPoints, stationing, messages);
}

} // namespace korvane::route
