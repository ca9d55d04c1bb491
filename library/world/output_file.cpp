#include "world/output_file.h"

#include <cstdio>

#ifdef _WIN32
#  include <windows.h>
#endif

#include "params/cp932.h"
#include "params/message_box.h"

namespace korvane {

namespace {

// Writes and closes the file; a file left half written is removed.
bool writeWhole(const char *path, std::string_view content) {
    std::FILE *file = path ? std::fopen(path, "wb") : nullptr;
    bool ok = file != nullptr;
    if (ok) ok = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    if (file != nullptr) ok = std::fclose(file) == 0 && ok;
    if (!ok && file != nullptr) std::remove(path);
    return ok;
}

int cannotWrite(const char *path) {
    showError(std::string("ファイル書き込みできません: ") + (path ? path : ""));
    return 0;
}

} // namespace

bool replaceFile(const std::string &from, const char *to) {
#ifdef _WIN32
    return MoveFileExA(from.c_str(), to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return std::rename(from.c_str(), to) == 0;
#endif
}

int writeOutputFile(const char *path, std::string_view content) {
    return writeWhole(path, content) ? 1 : cannotWrite(path);
}

bool replaceWholeFile(const char *path, std::string_view content) {
    if (path == nullptr || *path == '\0') return false;
    const std::string temporary = std::string(path) + ".korvane-tmp";
    if (!writeWhole(temporary.c_str(), content)) return false;
    if (replaceFile(temporary, path)) return true;
    std::remove(temporary.c_str());
    return false;
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
