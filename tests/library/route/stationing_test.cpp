#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "route/table_rows.h"
#include "route_support.h"

using namespace korvane::route;

namespace {

// A straight heading north-east from a far point: every row's X and Y
// follow from its 実距離 by hand.
const PlanePoint kStart{-1234.5678, 5678.9012};
const double kDirection = std::numbers::pi / 4;

Alignment straight(double length) { return makeAlignment({lineSegment(kStart, kDirection, length)}); }

std::vector<TableRow> rowsOf(double length, const std::vector<MainPoint> &mains, const Stationing &st,
                             std::vector<Message> &messages) {
    const StationMap map = mapStations(st, length, messages);
    return tableRows(straight(length), mains, map, st.extras, messages);
}

} // namespace

// Labels as the drawing writes them: "NO.%.0f+%.3f" of the station number and
// the remainder; a full station is labelled by its own number also where the
// pitch is no whole number (2 × 7.3 is 14.6 only to the rounding).
TEST(RouteStationing, LabelsAsTheDrawingWritesThem) {
    const std::pair<double, std::string> cases[] = {
        {112.345, "NO.5+12.345"}, {2 * 7.3, "NO.2+0.000"},  {19.9996, "NO.0+20.000"}, {-3e-9, "NO.0+0.000"},
        {-244.4624, "NO.-13+15.538"}, {1240, "NO.62+0.000"}, {1e6 + 0.5, "NO.50000+0.500"},
    };
    for (const auto &[station, label] : cases)
        EXPECT_EQ(stationLabel(station, station == 2 * 7.3 ? 7.3 : 20), label) << station;
    EXPECT_EQ(fullStationLabel(2), "NO.2+0.000");
    // Station 0 after a BP before it is NO.0, not NO.-0.
    std::vector<Message> messages;
    const std::vector<TableRow> rows = rowsOf(10, {}, Stationing{-5, 20, {}, {}}, messages);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].name + " " + rows[0].label, "NO.0 NO.0+0.000");
}

// Equations on a 2000 m line from BP at 1000: 1234.567 = 1240 jumps ahead
// (stations 1234.567 … 1240 do not exist), 1500 = 1450 goes back (1450 …
// 1500 come twice). Full stations are the multiples of the pitch in each
// stretch; an extra station comes at every place its station occurs, and
// one in the gap is left out with a warning.
TEST(RouteStationing, EquationsFullStationsAndExtraStations) {
    Stationing st;
    st.bpStation = 1000;
    st.equations = {{1234.567, 1240}, {1500, 1450}};
    st.extras = {{1100.5, ""}, {1470, "プラス杭"}, {1235, ""}};
    std::vector<Message> messages;
    const std::vector<TableRow> rows = rowsOf(2000, {{"BP", 0, 0}, {"EP", 2000, 1}}, st, messages);
    EXPECT_EQ(route_support::messageTexts(messages), std::vector<std::string>{"追加杭 NO.61+15.000（追加距離 1235.000）は路線の測点の範囲にないため、表に入れません。"});
    // 12 stations NO.50–61, 13 NO.62–74, 75 NO.73–147, two main points (BP
    // in place of NO.50), three extra rows.
    ASSERT_EQ(rows.size(), 104u);
    struct Expected {
        std::string name, label;
        double station, distance;
    };
    const Expected some[] = {
        {"BP", "NO.50+0.000", 1000, 0},
        {"NO.55+0.500", "NO.55+0.500", 1100.5, 100.5}, {"NO.61", "NO.61+0.000", 1220, 220},
        {"NO.62", "NO.62+0.000", 1240, 234.567},  {"NO.73", "NO.73+0.000", 1460, 454.567},
        {"プラス杭", "NO.73+10.000", 1470, 464.567}, {"NO.74", "NO.74+0.000", 1480, 474.567},
        {"NO.73", "NO.73+0.000", 1460, 504.567},  {"プラス杭", "NO.73+10.000", 1470, 514.567},
        {"NO.147", "NO.147+0.000", 2940, 1984.567}, {"EP", "NO.147+15.433", 2955.433, 2000},
    };
    std::size_t next = 0;
    for (const TableRow &r : rows) {
        EXPECT_NEAR(r.pose.point.x, kStart.x + r.distance * std::cos(kDirection), 1e-9);
        EXPECT_NEAR(r.pose.point.y, kStart.y + r.distance * std::sin(kDirection), 1e-9);
        if (next < std::size(some) && r.name == some[next].name && std::fabs(r.distance - some[next].distance) < 1e-6) {
            EXPECT_EQ(r.label, some[next].label);
            EXPECT_NEAR(r.station, some[next].station, 1e-9);
            ++next;
        }
    }
    EXPECT_EQ(next, std::size(some));
    for (std::size_t i = 1; i < rows.size(); ++i) EXPECT_LE(rows[i - 1].distance, rows[i].distance);
}

// A main point, a full station and an extra station at one place are one
// row: the main point's, labelled as a full station; the extra station on a
// full station gives way to it.
TEST(RouteStationing, OneRowAtOnePlace) {
    Stationing st;
    st.pitch = 7.3;
    st.extras = {{14.6, ""}, {21.9, ""}, {10, ""}};
    std::vector<Message> messages;
    const std::vector<TableRow> rows =
        rowsOf(50, {{"BP", 0, 0}, {"KA1-1", 2 * 7.3, 1}, {"EP", 50, 2}}, st, messages);
    std::vector<std::string> seen;
    for (const TableRow &r : rows) seen.push_back(r.name + " " + r.label);
    EXPECT_EQ(seen, (std::vector<std::string>{"BP NO.0+0.000", "NO.1 NO.1+0.000", "NO.1+2.700 NO.1+2.700",
                                              "KA1-1 NO.2+0.000", "NO.3 NO.3+0.000", "NO.4 NO.4+0.000",
                                              "NO.5 NO.5+0.000", "NO.6 NO.6+0.000", "EP NO.6+6.200"}));
    EXPECT_TRUE(messages.empty());
}

TEST(RouteStationing, RefusalsNameTheValue) {
    struct Case {
        Stationing stationing;
        std::string message;
    };
    const Case cases[] = {
        {{0, 0, {}, {}}, "測点ピッチ 0 は正の数でなければなりません。"},
        {{0, 20, {{150, 200}}, {}}, "ブレーキ 1（150 = 200）: 戻り側の測点 150 が BP から EP までの測点 0.000 〜 100.000 の中にありません。"},
        {{0, 20, {{50, 100}, {90, 95}}, {}},
         "ブレーキ 2（90 = 95）: 戻り側の測点 90 が前のブレーキから EP までの測点 100.000 〜 150.000 の中にありません。"},
        {{0, 1e-5, {}, {}}, "座標表の行が 2000000 を超えます（測点 10000001）。測点ピッチを見直してください。"},
    };
    for (const Case &c : cases) {
        std::vector<Message> messages;
        EXPECT_TRUE(rowsOf(100, {{"BP", 0, 0}}, c.stationing, messages).empty());
        EXPECT_EQ(route_support::messageTexts(messages), std::vector<std::string>{c.message});
        EXPECT_TRUE(hasRefusal(messages));
    }
}
