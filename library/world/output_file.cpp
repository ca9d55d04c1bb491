#include "world/output_file.h"

#include <cstdio>

#include "params/cp932.h"
#include "params/message_box.h"

namespace korvane {

int cannotWrite(const char *path) {
    showError(std::string("ファイル書き込みできません: ") + (path ? path : ""));
    return 0;
}

int writeOutputFile(const char *path, std::string_view content) {
    return writeWholeFile(path, content) ? 1 : cannotWrite(path);
}

int replaceOutputFile(const char *path, std::string_view content) {
    return replaceWholeFile(path, content) ? 1 : cannotWrite(path);
}

std::string fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string out = text;
    if (out.front() == '-' && out.find_first_not_of("-0.") == std::string::npos) out.erase(0, 1);
    return out;
}

std::string toCp932Text(std::string_view utf8) {
    // No character takes more bytes in cp932 than in UTF-8.
    std::string out(utf8.size() + 1, '\0');
    out.resize(toCp932(utf8, out.data(), out.size()));
    return out;
}

} // namespace korvane
