#include "library_driver.h"

#include <cstdio>

#include "bench_library.h"

namespace bench {

namespace {

void KORVANE_CALL printMessage(const char *text) { std::fprintf(stderr, "library message (cp932): %s\n", text); }

} // namespace

bool drawDesign(const std::string &libraryFolder, const std::string &work,
                const BenchDesign &design, const std::string &dxfPath) {
    Library library;
    if (!loadLibrary(libraryFolder + "/" KORVANE_RUNTIME_NAME, library, printMessage)) return false;
    const std::string param = work + "/" + design.name + ".dat";
    const std::string templatePath = libraryFolder + "/aln_hdr_.dxf";
    const std::string tempPath = work + "/temp.dxf";
    const bool ok = writeParameterFile(library, design, param) && library.check(param.c_str()) != 0 &&
                    library.save(dxfPath.c_str(), param.c_str(), templatePath.c_str(), tempPath.c_str()) != 0;
    if (!ok) std::fprintf(stderr, "the library did not draw %s\n", design.name.c_str());
    return ok;
}

} // namespace bench
