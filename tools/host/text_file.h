// A working file of a command-line host (the settings handed to the library,
// a parameter file with its IA replaced) written in one go.
#pragma once

#include <string>

namespace korvane_host {

// Writes text to path (binary, replacing the file); false after a message on
// the standard error that begins with program.
bool writeTextFile(const std::string &path, const std::string &text, const char *program);

} // namespace korvane_host
