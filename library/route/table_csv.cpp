#include "route/table_csv.h"

#include "route/csv_text.h"
#include "route/number_text.h"
#include "world/angle_text.h"

namespace korvane::route {

namespace {

constexpr int kDecimals = 4;

std::string length(double value) { return fixedText(value, kDecimals); }

// 点名,測点,追加距離 of a row, each followed by a comma.
std::string rowStart(const TableRow &row) {
    return csvField(row.name) + "," + csvField(row.label) + "," + length(row.station) + ",";
}

} // namespace

std::string coordinateTableCsv(const std::vector<TableRow> &rows) {
    std::string text = "点名,測点,追加距離,実距離,X,Y,方向角\r\n";
    text.reserve(rows.size() * 80);
    for (const TableRow &row : rows)
        text += rowStart(row) + length(row.distance) + "," + length(row.pose.point.x) + "," +
                length(row.pose.point.y) + "," + directionText(row.pose.direction) + "\r\n";
    return text;
}

std::string stakeTableCsv(const std::vector<TableRow> &rows, const std::vector<Stake> &stakes) {
    std::string text = "点名,測点,追加距離,左右,幅,X,Y\r\n";
    text.reserve(stakes.size() * 70);
    for (const Stake &s : stakes)
        text += rowStart(rows[s.row]) + (s.side < 0 ? "左," : "右,") + length(s.width) + "," + length(s.point.x) +
                "," + length(s.point.y) + "\r\n";
    return text;
}

} // namespace korvane::route
