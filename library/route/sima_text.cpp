// The record layout follows the public descriptions of the SIMA common
// format of the Japan Surveying Instruments Manufacturers' Association:
//   - one record a line, fields separated by commas, the first field the
//     record's kind (http://cse.naro.affrc.go.jp/takahasi/gisdata/common/sima.htm);
//   - coordinate data: "Z00,座標データ," then "A00," then one
//     "A01,点番号,点名,X,Y,Z," per point (X north, Y east; an empty Z when
//     there is no height) and "A99," at its end
//     (https://connect-solution.net/jp/2019/09/01/what-is-simdata,
//     http://kensetsunewsicon.blogspot.com/2017/08/i-construction56sima.html);
//   - a chain of points (区画, 結線): "D00,番号,名称," then "B01,点番号,点名,"
//     for each of its points and "D99,"; a chain whose first and last points
//     differ is open (https://gioline.sakura.ne.jp/GioLine02/index.php/sima/);
//   - the file begins with the header "G00,版,名称," (版 03, the format's
//     latest version: http://www.ys2000.net/jouhou/sima.html) and ends with
//     "A99,END,".
#include "route/sima_text.h"

#include "route/number_text.h"

namespace korvane::route {

namespace {

constexpr int kDecimals = 4;

// A comma would end the field: names keep it as a full-width comma.
std::string field(const std::string &text) {
    std::string out;
    for (const char c : text) {
        if (c == ',') out += "，";
        else out.push_back(c);
    }
    return out;
}

} // namespace

std::string simaText(const std::string &routeName, const std::vector<TableRow> &rows) {
    const std::string title = routeName.empty() ? std::string("路線") : field(routeName);
    std::string text = "G00,03," + title + ",\r\nZ00,座標データ,\r\nA00,\r\n";
    text.reserve(rows.size() * 70);
    for (std::size_t i = 0; i < rows.size(); ++i)
        text += "A01," + std::to_string(i + 1) + "," + field(rows[i].name) + "," +
                fixedText(rows[i].pose.point.x, kDecimals) + "," + fixedText(rows[i].pose.point.y, kDecimals) +
                ",,\r\n";
    text += "A99,\r\nZ00,区画データ,\r\nD00,1," + title + ",\r\n";
    for (std::size_t i = 0; i < rows.size(); ++i)
        text += "B01," + std::to_string(i + 1) + "," + field(rows[i].name) + ",\r\n";
    return text + "D99,\r\nA99,END,\r\n";
}

} // namespace korvane::route
