// A whole output file written in one go, with every write checked.
#pragma once

#include <string>
#include <string_view>

#include "files/whole_file.h"

namespace korvane {

// Writes content to path (binary, replacing the file). On any failure shows
// "ファイル書き込みできません" with the path and returns 0; a file left half
// written is removed.
int writeOutputFile(const char *path, std::string_view content);

// Shows "ファイル書き込みできません" with the path; 0, an export's result.
int cannotWrite(const char *path);

// The same, but through a temporary file beside path that replaces path only
// once it is complete: a failure leaves an earlier file at path as it was.
int replaceOutputFile(const char *path, std::string_view content);

// printf-style "%.Nf" of a finite number, with "-0.000…" written without its sign.
std::string fixed(double value, int decimals);

// UTF-8 text as cp932; a character cp932 lacks becomes "?".
std::string toCp932Text(std::string_view utf8);

} // namespace korvane
