// What both fuzz targets share: a private work folder, the input written as a
// parameter file, and silence for the library's messages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include "korvane.h"

namespace fuzz_support {

inline void ignoreMessage(const char *) {}

// A folder of this process, created on first use and kept for the run.
inline const std::string &workDir() {
    static const std::string dir = [] {
        char pattern[] = "/tmp/korvane-fuzz-XXXXXX";
        if (!mkdtemp(pattern)) std::abort();
        korvane_set_message_handler(&ignoreMessage);
        return std::string(pattern);
    }();
    return dir;
}

inline std::string workFile(const char *name) { return workDir() + "/" + name; }

// Writes the fuzzer's bytes as the parameter file.
inline std::string writeParameterFile(const std::uint8_t *data, std::size_t size) {
    std::string path = workFile("ALN_TXT_.DAT");
    std::FILE *f = std::fopen(path.c_str(), "wb");
    if (!f) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
    std::fclose(f);
    return path;
}

} // namespace fuzz_support
