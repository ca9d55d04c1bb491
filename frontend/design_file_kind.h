// Tells a Rovena design file from a bare parameter file by its content: a
// design file's first line that is neither blank nor a comment ("#" or ";")
// is a "[section]" header. Plain C++, so that korvane-draw can tell the two
// apart even when it is built without Qt.
#pragma once

#include <string_view>

namespace rovena {

inline bool isDesignFileText(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3); // UTF-8 byte order mark
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        const std::size_t first = line.find_first_not_of(" \t\r\f\v");
        if (first == std::string_view::npos) continue;
        const char c = line[first];
        if (c == '#' || c == ';') continue;
        return c == '[';
    }
    return false;
}

} // namespace rovena
