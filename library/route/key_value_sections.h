// The text of a route file: "key = value" lines in "[section]"s, in order,
// as the design file writes them: blank lines and lines beginning with "#"
// or ";" are comments; the value is what follows the first "=" without the
// blanks around it, or a double-quoted text with the escapes \" \\ \n \r \t.
// A section may occur many times (one [ip] per point of the IP table).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvane::route {

struct KeyValueEntry {
    std::string key;
    std::string value;
    int line = 0; // 1-based
};

struct KeyValueSection {
    std::string name; // "" for the lines before the first header
    int line = 0;     // of the header
    std::vector<KeyValueEntry> entries;
};

// The sections of text in order (a leading byte-order mark skipped). False
// with a Japanese reason naming the line when a line is none of the kinds
// above or a quoted value is not closed.
bool readKeyValueSections(std::string_view text, std::vector<KeyValueSection> &sections, std::string &problem);

// A value as it stands in a file: as it is, or in double quotes with
// escapes when it begins or ends with white space, begins with a double
// quote or holds a control character.
std::string quotedValue(std::string_view value);

} // namespace korvane::route
