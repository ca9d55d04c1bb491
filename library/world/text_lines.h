// Reading of "key = value" text files in sections, as the design file writes
// them: comments begin with "#" or ";", a value is everything after the first
// "=" with the blanks around it removed, or a double-quoted text with \" and
// \\ escapes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvane {

struct KeyValue {
    std::string key;
    std::string value;
    int line = 0;
};

// Reads a whole file in binary; false when it cannot be opened or read, or
// is larger than 16 MiB.
bool readWholeFile(const char *path, std::string &content);

bool isValidUtf8(std::string_view text);

// The entries of every section named `section` (a leading byte-order mark is
// skipped). False with a Japanese reason when the section is missing or a
// line in it is not "key = value".
bool sectionEntries(std::string_view content, std::string_view section,
                    std::vector<KeyValue> &entries, std::string &problem);

// Full-width digits, signs, point and blanks (as a Japanese input method
// types them) become their ASCII forms; other characters stay.
std::string asciiNumberText(std::string_view text);

} // namespace korvane
