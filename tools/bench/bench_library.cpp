#include "bench_library.h"

#include <cstdio>
#include <type_traits>

#include <dlfcn.h>

#include "design/parameter_lines.h"

namespace bench {

bool loadLibrary(const std::string &path, Library &library, korvane_message_handler handler) {
    library.handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library.handle) {
        std::fprintf(stderr, "cannot load %s: %s\n", path.c_str(), ::dlerror());
        return false;
    }
    auto bind = [&](auto &function, const char *name) {
        function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(::dlsym(library.handle, name));
        if (!function) std::fprintf(stderr, "%s has no %s\n", path.c_str(), name);
        return function != nullptr;
    };
    const bool bound = bind(library.clearFile, "setteifincls") & bind(library.appendPiece, "setteifin") &
                       bind(library.check, "data_chekvb") & bind(library.save, "save_DXF") &
                       bind(library.setHandler, "korvane_set_message_handler");
    if (bound) library.setHandler(handler);
    return bound;
}

bool writeParameterFile(const Library &library, const BenchDesign &design, const std::string &path) {
    if (!library.clearFile(path.c_str())) return false;
    return design_model::sendParameterPieces(
        design.texts, [&](const std::string &piece) { return library.appendPiece(piece.c_str(), path.c_str()) != 0; });
}

} // namespace bench
