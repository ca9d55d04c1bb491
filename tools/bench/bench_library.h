// libkorvane.so.1 loaded for the benchmarks and driven through its exports, as
// the program drives it: the parameter file written piece by piece, then
// checked and drawn by the caller.
#pragma once

#include <string>

#include "bench_designs.h"
#include "korvane.h"

namespace bench {

struct Library {
    void *handle = nullptr;
    decltype(&setteifincls) clearFile = nullptr;
    decltype(&setteifin) appendPiece = nullptr;
    decltype(&data_chekvb) check = nullptr;
    decltype(&save_DXF) save = nullptr;
    decltype(&korvane_set_message_handler) setHandler = nullptr;
};

// Loads the library at path and binds its exports, installing handler for
// its messages; false (said on stderr) when it cannot.
bool loadLibrary(const std::string &path, Library &library, korvane_message_handler handler);

// Writes the design's parameter file through the library, piece by piece as
// Rovena sends it.
bool writeParameterFile(const Library &library, const BenchDesign &design, const std::string &path);

} // namespace bench
