// Tells a Rovena design file from a bare parameter file by its content: a
// design file's first line that is neither blank nor a comment ("#" or ";")
// is a "[section]" header. Plain C++, so that korvane-draw can tell the two
// apart, and find a design's sections, even when it is built without Qt.
#pragma once

#include <string_view>

namespace rovena {

// Calls visit with every line of text, blanks and CR trimmed from both ends,
// until visit returns false.
template <typename Visit> void forEachTrimmedLine(std::string_view text, Visit visit) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3); // UTF-8 byte order mark
    constexpr std::string_view blanks = " \t\r\f\v";
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        const std::size_t first = line.find_first_not_of(blanks);
        line = first == std::string_view::npos ? std::string_view() : line.substr(first);
        line = line.substr(0, line.find_last_not_of(blanks) + 1);
        if (!visit(line)) return;
    }
}

inline bool isDesignFileText(std::string_view text) {
    bool design = false;
    forEachTrimmedLine(text, [&](std::string_view line) {
        if (line.empty() || line.front() == '#' || line.front() == ';') return true;
        design = line.front() == '[';
        return false;
    });
    return design;
}

// Whether text is a design file with the section "[name]".
inline bool hasDesignSection(std::string_view text, std::string_view name) {
    if (!isDesignFileText(text)) return false;
    bool found = false;
    forEachTrimmedLine(text, [&](std::string_view line) {
        found = line.size() == name.size() + 2 && line.front() == '[' && line.back() == ']' &&
                line.substr(1, name.size()) == name;
        return !found;
    });
    return found;
}

} // namespace rovena
