// The calculation sheet written out: as a text of fixed-width columns for
// a person (widths counted as a Japanese text is shown in a fixed-width
// font, a full-width character counting two), and as JSON for a host that
// lays the pages out itself.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "route/calculation_sheet.h"

namespace korvane::route {

// The columns a UTF-8 text takes: one for ASCII and the half-width
// katakana, two for every other character (as many as its bytes in cp932).
std::size_t displayWidth(std::string_view utf8);

// The sheet as text (UTF-8, CR LF): the title, then each section's heading
// and its tables, each with its caption, its column titles over a rule and
// its rows; columns two apart, texts to the left, numbers to the right.
std::string sheetText(const CalculationSheet &sheet);

// {"title": …, "sections": [{"heading": …, "tables": [{"caption": …,
// "columns": [{"title": …, "align": "left"|"right"}], "rows": [[…]]}]}]}
std::string sheetJson(const CalculationSheet &sheet);

} // namespace korvane::route
