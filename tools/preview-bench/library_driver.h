// Draws a benchmark design with libkorvane.so.1 through its exports, like the
// program does: parameter file, check, drawing with the header template.
#pragma once

#include <string>

#include "bench_designs.h"

namespace bench {

// Writes work/NAME.dat and draws it to dxfPath with the library and template
// in libraryFolder. Returns false (and says why on stderr) on failure.
bool drawDesign(const std::string &libraryFolder, const std::string &work,
                const BenchDesign &design, const std::string &dxfPath);

} // namespace bench
