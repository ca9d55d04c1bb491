#include "route/stationing.h"

#include <algorithm>
#include <cmath>

#include "geometry/station_text.h"
#include "route/number_text.h"

namespace korvane::route {

namespace {

constexpr double kSamePlace = 1e-6;
constexpr double kStationLimit = 1e9;

void refuse(std::vector<Message> &messages, const std::string &text) {
    messages.push_back(Message{Severity::Refusal, -1, text});
}

std::string labelText(double n, double m) {
    char text[96];
    stationText(text, sizeof text, n + 0.0, m);
    return text;
}

double pieceEnd(const StationPiece &p) { return p.station + (p.to - p.from); }

} // namespace

StationMap mapStations(const Stationing &st, double length, std::vector<Message> &messages) {
    StationMap map;
    map.pitch = st.pitch;
    bool ok = true;
    if (!(st.pitch > 0) || !(st.pitch <= kStationLimit)) {
        refuse(messages, "測点ピッチ " + valueText(st.pitch) + " は正の数でなければなりません。");
        ok = false;
    }
    if (!(std::fabs(st.bpStation) <= kStationLimit)) {
        refuse(messages, "BP の測点 " + valueText(st.bpStation) + " は数値でないか、大きすぎます。");
        ok = false;
    }
    if (!ok) return map;
    StationPiece current{0, length, st.bpStation};
    std::vector<StationPiece> pieces;
    for (std::size_t i = 0; i < st.equations.size(); ++i) {
        const StationEquation &e = st.equations[i];
        const double end = pieceEnd(current);
        const std::string given = "ブレーキ " + std::to_string(i + 1) + "（" + valueText(e.back) + " = " +
                                  valueText(e.ahead) + "）: ";
        if (!(std::fabs(e.ahead) <= kStationLimit)) {
            refuse(messages, given + "進む側の測点が数値でないか、大きすぎます。");
            return StationMap{st.pitch, {}};
        }
        if (!(e.back > current.station && e.back <= end)) {
            refuse(messages, given + "戻り側の測点 " + valueText(e.back) + " が" +
                                 (i == 0 ? " BP " : "前のブレーキ") + "から EP までの測点 " +
                                 fixedText(current.station, 3) + " 〜 " + fixedText(end, 3) + " の中にありません。");
            return StationMap{st.pitch, {}};
        }
        const double at = current.from + (e.back - current.station);
        current.to = at;
        pieces.push_back(current);
        current = StationPiece{at, length, e.ahead};
    }
    pieces.push_back(current);
    map.pieces = std::move(pieces);
    return map;
}

double stationAt(const StationMap &map, double distance) {
    if (map.pieces.empty()) return distance;
    auto piece = std::upper_bound(map.pieces.begin(), map.pieces.end(), distance,
                                  [](double d, const StationPiece &p) { return d < p.from; });
    if (piece != map.pieces.begin()) --piece;
    return piece->station + (distance - piece->from);
}

std::vector<double> distancesAt(const StationMap &map, double station) {
    std::vector<double> out;
    for (std::size_t i = 0; i < map.pieces.size(); ++i) {
        const StationPiece &p = map.pieces[i];
        const bool last = i + 1 == map.pieces.size();
        const double end = pieceEnd(p);
        // A piece holds its start, not its end (that is the next one's start),
        // except the last, which ends at EP.
        if (station >= p.station - kSamePlace && (station < end - kSamePlace || (last && station <= end + kSamePlace)))
            out.push_back(std::clamp(p.from + (station - p.station), p.from, p.to));
    }
    return out;
}

std::string stationLabel(double station, double pitch) {
    double n = std::floor(station / pitch);
    double m = station - n * pitch;
    if (m < 0 && std::fabs(m) < 0.0000001) m = std::fabs(m);
    if (m > pitch - kSamePlace) n += 1, m = 0;
    return labelText(n, m);
}

std::string fullStationLabel(double number) { return labelText(number, 0); }

} // namespace korvane::route
