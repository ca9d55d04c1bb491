// Whole files written in one go: every write checked, and a file replaced
// only by a complete new one.
#pragma once

#include <string>
#include <string_view>

namespace korvane {

// Writes content to path (binary, replacing the file); a file left half
// written is removed. False on any failure.
bool writeWholeFile(const char *path, std::string_view content);

// The same through a temporary file beside path, which then replaces path:
// a failure leaves an earlier file at path as it was. False when path could
// not be replaced.
bool replaceWholeFile(const char *path, std::string_view content);

// Puts the complete file at from in place of the file at to, replacing it in
// one step; false when it could not (from is then still there).
bool replaceFile(const std::string &from, const char *to);

} // namespace korvane
