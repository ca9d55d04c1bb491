// The texts korvane-route passes between the console and the library: the
// library's messages (cp932) shown in UTF-8, and an argument (in the
// system's code page, the ANSI code page on Windows) read as UTF-8.
#pragma once

#include <string>

namespace korvane_route {

std::string utf8FromCp932(const std::string &cp932);

std::string utf8FromArgument(const std::string &argument);

} // namespace korvane_route
