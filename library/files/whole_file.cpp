#include "files/whole_file.h"

#include <cstdio>
#include <string>

#ifdef _WIN32
#  include <windows.h>
#endif

namespace korvane {

bool replaceFile(const std::string &from, const char *to) {
#ifdef _WIN32
    return MoveFileExA(from.c_str(), to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return std::rename(from.c_str(), to) == 0;
#endif
}

bool writeWholeFile(const char *path, std::string_view content) {
    std::FILE *file = path ? std::fopen(path, "wb") : nullptr;
    bool ok = file != nullptr;
    if (ok) ok = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    if (file != nullptr) ok = std::fclose(file) == 0 && ok;
    if (!ok && file != nullptr) std::remove(path);
    return ok;
}

bool replaceWholeFile(const char *path, std::string_view content) {
    if (path == nullptr || *path == '\0') return false;
    const std::string temporary = std::string(path) + ".korvane-tmp";
    if (!writeWholeFile(temporary.c_str(), content)) return false;
    if (replaceFile(temporary, path)) return true;
    std::remove(temporary.c_str());
    return false;
}

} // namespace korvane
