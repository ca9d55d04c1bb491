// A whole output file written in one go, with every write checked.
#pragma once

#include <string>
#include <string_view>

namespace korvane {

// Writes content to path (binary, replacing the file). On any failure shows
// "ファイル書き込みできません" with the path and returns 0; a file left half
// written is removed.
int writeOutputFile(const char *path, std::string_view content);

// printf-style "%.Nf" of a finite number, with "-0.000…" written without its sign.
std::string fixed(double value, int decimals);

} // namespace korvane
