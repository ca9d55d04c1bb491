#include "world/output_file.h"

#include <cstdio>

#include "params/message_box.h"

namespace korvane {

int writeOutputFile(const char *path, std::string_view content) {
    std::FILE *file = path ? std::fopen(path, "wb") : nullptr;
    bool ok = file != nullptr;
    if (ok) ok = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    if (file != nullptr) ok = std::fclose(file) == 0 && ok;
    if (ok) return 1;
    if (file != nullptr) std::remove(path);
    showError(std::string("ファイル書き込みできません: ") + (path ? path : ""));
    return 0;
}

std::string fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string out = text;
    if (out.front() == '-' && out.find_first_not_of("-0.") == std::string::npos) out.erase(0, 1);
    return out;
}

} // namespace korvane
