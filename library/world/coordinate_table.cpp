#include "world/coordinate_table.h"

#include "world/angle_text.h"
#include "world/output_file.h"

namespace korvane {

namespace {

constexpr int kDecimals = 4;

std::string row(const TablePoint &p) {
    return p.name + "," + p.label + "," + fixed(p.distance, kDecimals) + "," + fixed(p.at.point.x, kDecimals) +
           "," + fixed(p.at.point.y, kDecimals) + "," + directionText(p.at.direction) + "\r\n";
}

} // namespace

std::string coordinateTableText(const std::vector<TablePoint> &points) {
    std::string text = "点名,測点,追加距離,X,Y,方向角\r\n";
    for (const TablePoint &p : points) text += row(p);
    return text;
}

int writeCoordinateTable(const char *path, const std::vector<TablePoint> &points, bool utf8WithBom) {
    const std::string utf8 = coordinateTableText(points);
    if (utf8WithBom) return writeOutputFile(path, "\xEF\xBB\xBF" + utf8);
    return writeOutputFile(path, toCp932Text(utf8));
}

} // namespace korvane
