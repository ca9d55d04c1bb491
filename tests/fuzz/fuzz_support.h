// What the fuzz targets share: a private work folder, the input written as a
// parameter file, and silence for the library's messages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "korvane.h"

namespace fuzz_support {

inline void KORVANE_CALL ignoreMessage(const char *) {}

// A folder of this process, created on first use and removed when the
// process ends normally (fork mode starts many short processes).  Its name is
// kept in a plain array, which outlives every exit handler.
inline char workDirName[] = "/tmp/korvane-fuzz-XXXXXX";

inline const char *workDir() {
    static const bool made = [] {
        if (!mkdtemp(workDirName)) std::abort();
        korvane_set_message_handler(&ignoreMessage);
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(workDirName, ignored);
        });
        return true;
    }();
    (void)made;
    return workDirName;
}

inline std::string workFile(const char *name) { return std::string(workDir()) + "/" + name; }

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
