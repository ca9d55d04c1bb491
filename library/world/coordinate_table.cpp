#include "world/coordinate_table.h"

#include "params/cp932.h"
#include "world/angle_text.h"
#include "world/output_file.h"

namespace korvane {

namespace {

constexpr int kDecimals = 4;

std::string row(const TablePoint &p) {
    return p.name + "," + p.label + "," + fixed(p.distance, kDecimals) + "," + fixed(p.at.point.x, kDecimals) +
           "," + fixed(p.at.point.y, kDecimals) + "," + directionText(p.at.direction) + "\r\n";
}

// Every character of the table is in cp932; rows are short, so one buffer
// per row is enough.
std::string toCp932Text(const std::string &utf8) {
    std::string out;
    std::size_t start = 0;
    while (start < utf8.size()) {
        const std::size_t end = utf8.find('\n', start);
        const std::string line = utf8.substr(start, end == std::string::npos ? std::string::npos : end + 1 - start);
        char buffer[512];
        out.append(buffer, toCp932(line, buffer, sizeof buffer));
        start = end == std::string::npos ? utf8.size() : end + 1;
    }
    return out;
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
