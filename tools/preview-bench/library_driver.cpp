#include "library_driver.h"

#include <cstdio>

#include <dlfcn.h>

namespace bench {

namespace {

using ClearFn = int (*)(const char *);
using PieceFn = int (*)(const char *, const char *);
using CheckFn = int (*)(const char *);
using SaveFn = int (*)(const char *, const char *, const char *, const char *);

void printMessage(const char *text) { std::fprintf(stderr, "library message (cp932): %s\n", text); }

} // namespace

bool drawDesign(const std::string &libraryFolder, const std::string &work,
                const BenchDesign &design, const std::string &dxfPath) {
    const std::string libraryPath = libraryFolder + "/libkorvane.so";
    void *library = ::dlopen(libraryPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        std::fprintf(stderr, "cannot load %s: %s\n", libraryPath.c_str(), ::dlerror());
        return false;
    }
    auto clear = reinterpret_cast<ClearFn>(::dlsym(library, "setteifincls"));
    auto piece = reinterpret_cast<PieceFn>(::dlsym(library, "setteifin"));
    auto check = reinterpret_cast<CheckFn>(::dlsym(library, "data_chekvb"));
    auto save = reinterpret_cast<SaveFn>(::dlsym(library, "save_DXF"));
    auto handler = reinterpret_cast<void (*)(void (*)(const char *))>(
        ::dlsym(library, "korvane_set_message_handler"));
    if (!clear || !piece || !check || !save) {
        std::fprintf(stderr, "%s lacks an export\n", libraryPath.c_str());
        return false;
    }
    if (handler) handler(printMessage);
    const std::string param = work + "/" + design.name + ".dat";
    bool ok = clear(param.c_str()) != 0;
    for (const std::string &line : design.lines) {
        if (!ok) break;
        if (!line.empty()) ok = piece(line.c_str(), param.c_str()) != 0;
        ok = ok && piece("?", param.c_str()) != 0;
    }
    const std::string templatePath = libraryFolder + "/aln_hdr_.dxf";
    const std::string tempPath = work + "/temp.dxf";
    ok = ok && check(param.c_str()) != 0 &&
         save(dxfPath.c_str(), param.c_str(), templatePath.c_str(), tempPath.c_str()) != 0;
    if (!ok) std::fprintf(stderr, "the library did not draw %s\n", design.name.c_str());
    return ok;
}

} // namespace bench
