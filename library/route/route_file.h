// The route file (.rvr): a route's settings and its IP table as UTF-8
// "key = value" text that a person can read and compare.
//
//   # Rovena 路線ファイル
//   [route]
//   format = 1
//   name = 国道1号              路線名
//   zone = 9                   座標系 1..19 (0 or left out: none)
//   bp.station = 0             BP の追加距離 (or bp.no = NO with bp.plus = ＋)
//   pitch = 20                 測点ピッチ
//   speed = 60                 設計速度 (left out: no design checks)
//   equation = 1234.567 = 1240 ブレーキ: back = ahead, once per equation in order
//   extra = 105.5 橋梁起点      追加杭: its 追加距離, then its name if it has one
//   width.left = 5.5           幅杭の幅, left and right
//   width.right = 6
//   alignment = 本線            LandXML から読む線形の名前 (settings files only; never saved)
//
//   [ip]                       one section per point, BP first, EP last
//   name = BP
//   x = -1234.5678
//   y = 5678.9012
//
//   [ip]
//   name = IP1
//   x = -1100
//   y = 5800
//   a1 = 100                   and r, a2, r2, am, lc as the curve uses them
//   r = 300
//   a2 = 100
//
// A key this version does not know is refused, so a mistyped key never
// passes unnoticed; other sections are skipped; a newer format is refused.
// Lines, comments, quoting and escapes are the design file's (design/
// key_value_text.h).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "route/loaded_route.h"

namespace korvane::route {

constexpr int kRouteFileFormat = 1;

// Whether text is a route file: its first line that is not blank or a
// comment is a section header.
bool isRouteFileText(std::string_view text);

// Reads the settings and the IP table of a route file (UTF-8). False with a
// Japanese reason naming the line, the key and the text found.
bool readRouteFile(std::string_view text, RouteSettings &settings, std::vector<IpInput> &ips, std::string &problem);

// Puts the settings of a route file without IP table in place of those of
// settings: each key given replaces its value, and the equations or extra
// stations given replace the whole list.
bool applyRouteSettings(std::string_view text, RouteSettings &settings, std::string &problem);

// The file's text; numbers are written so that they read back exactly.
std::string routeFileText(const RouteSettings &settings, const std::vector<IpInput> &ips);

// Writes the route file through a temporary file beside path, which then
// replaces path: a failure leaves an earlier file as it was. False when it
// could not be written.
bool saveRouteFile(const RouteSettings &settings, const std::vector<IpInput> &ips, const char *path);

} // namespace korvane::route
