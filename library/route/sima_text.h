// The route's points as a SIMA file (測量データ共通フォーマット): the
// coordinate records of every row of the coordinate table and the centre
// line as one chain of those points.
#pragma once

#include <string>
#include <vector>

#include "route/table_rows.h"

namespace korvane::route {

// The file's text in UTF-8 with CR LF line ends (written in cp932).
std::string simaText(const std::string &routeName, const std::vector<TableRow> &rows);

} // namespace korvane::route
