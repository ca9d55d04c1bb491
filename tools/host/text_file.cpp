#include "text_file.h"

#include <cstdio>
#include <fstream>

namespace korvane_host {

bool writeTextFile(const std::string &path, const std::string &text, const char *program) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (out) return true;
    std::fprintf(stderr, "%s: cannot write %s\n", program, path.c_str());
    return false;
}

} // namespace korvane_host
