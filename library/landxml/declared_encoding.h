// The encoding an XML declaration names, and whether it is the Japanese
// Windows code page (Shift_JIS as Windows writes it: cp932).
#pragma once

#include <string>
#include <string_view>

namespace korvane::landxml {

// The encoding named by the XML declaration at the start of head; empty when
// there is no declaration, it names none, or a byte-order mark comes first
// (the mark decides).
std::string declaredEncoding(std::string_view head);

// Shift_JIS and its names (SJIS, MS_Kanji, Windows-31J, cp932, …): read as
// cp932, whose extra characters (①, 髙, ㈱) a file from Windows may hold.
bool isShiftJisName(std::string_view encoding);

} // namespace korvane::landxml
