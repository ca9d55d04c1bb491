// korvane-draw PARAMFILE OUTPUT.dxf [--template FILE] [--temp FILE] [placement options]
//
// Checks the design of a parameter file and draws it into a DXF file with the
// Korvane library, loaded at run time from the program's own folder. Every
// message of the library goes to the standard error in UTF-8. Exit status 0
// when the drawing was written, 1 otherwise.
#include <cstdio>
#include <cstring>
#include <string>

#ifdef _WIN32
#  include <windows.h>
#else
#  include <dlfcn.h>
#  include <limits.h>
#  include <unistd.h>
#endif

#include "korvane.h"
#include "placement_options.h"

namespace {

#ifdef _WIN32
constexpr const char *kLibraryName = "korvane.dll";
constexpr char kSeparator = '\\';
#else
constexpr const char *kLibraryName = "libkorvane.so";
constexpr char kSeparator = '/';
#endif

constexpr const char *kUsage =
    "Usage: korvane-draw PARAMFILE OUTPUT.dxf [--template FILE] [--temp FILE] [placement options]\n"
    "Checks the design in PARAMFILE (data_chekvb) and draws it into OUTPUT.dxf (save_DXF)\n"
    "with the library %s loaded from the program's folder.\n"
    "  --template FILE  DXF header template (default: aln_hdr_.dxf beside the program)\n"
    "  --temp FILE      temporary polyline file (default: temp.dxf beside the program)\n"
    "%s"
    "Messages of the library go to the standard error in UTF-8.\n"
    "Exit status: 0 when the drawing was written, 1 otherwise.\n";

using CheckFunction = int(KORVANE_CALL *)(const char *);
using SaveFunction = int(KORVANE_CALL *)(const char *, const char *, const char *, const char *);

// The folder of the running program, with its trailing separator.
std::string programFolder(const char *argv0) {
    std::string path;
#ifdef _WIN32
    char buffer[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    if (n > 0 && n < MAX_PATH) path.assign(buffer, n);
#else
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer);
    if (n > 0 && static_cast<std::size_t>(n) < sizeof buffer) path.assign(buffer, std::size_t(n));
#endif
    if (path.empty()) path = argv0;
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

struct Library {
#ifdef _WIN32
    HMODULE handle = nullptr;
    void *symbol(const char *name) const {
        return reinterpret_cast<void *>(GetProcAddress(handle, name));
    }
#else
    void *handle = nullptr;
    void *symbol(const char *name) const { return dlsym(handle, name); }
#endif

    bool load(const std::string &path) {
#ifdef _WIN32
        handle = LoadLibraryA(path.c_str());
        if (!handle) std::fprintf(stderr, "korvane-draw: cannot load %s\n", path.c_str());
#else
        handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) std::fprintf(stderr, "korvane-draw: cannot load %s: %s\n", path.c_str(), dlerror());
#endif
        return handle != nullptr;
    }
};

struct Arguments {
    std::string parameterFile;
    std::string output;
    std::string templateFile;
    std::string tempFile;
    korvane_draw::PlacementOptions placement;
    bool help = false;
};

bool parseArguments(int argc, char **argv, Arguments &args) {
    int positional = 0;
    for (int i = 1; i < argc; ++i) {
        const char *arg = argv[i];
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            args.help = true;
            return true;
        }
        if (std::strcmp(arg, "--template") == 0 || std::strcmp(arg, "--temp") == 0) {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "korvane-draw: %s needs a file name\n", arg);
                return false;
            }
            std::string &target =
                std::strcmp(arg, "--template") == 0 ? args.templateFile : args.tempFile;
            target = argv[++i];
            continue;
        }
        const int placementOption = korvane_draw::takePlacementOption(argc, argv, i, args.placement);
        if (placementOption < 0) return false;
        if (placementOption > 0) continue;
        if (arg[0] == '-' && arg[1] == '-') {
            std::fprintf(stderr, "korvane-draw: unknown option %s\n", arg);
            return false;
        }
        if (positional == 0) args.parameterFile = arg;
        else if (positional == 1) args.output = arg;
        else {
            std::fprintf(stderr, "korvane-draw: too many arguments\n");
            return false;
        }
        ++positional;
    }
    if (positional != 2) {
        std::fprintf(stderr, "korvane-draw: a parameter file and an output file are needed\n");
        return false;
    }
    return korvane_draw::placementOptionsConsistent(args.placement);
}

} // namespace

int main(int argc, char **argv) {
    Arguments args;
    if (!parseArguments(argc, argv, args)) {
        std::fprintf(stderr, "Try 'korvane-draw --help'.\n");
        return 1;
    }
    if (args.help) {
        std::printf(kUsage, kLibraryName, korvane_draw::kPlacementUsage);
        return 0;
    }

    const std::string folder = programFolder(argv[0]);
    if (args.templateFile.empty()) args.templateFile = folder + "aln_hdr_.dxf";
    if (args.tempFile.empty()) args.tempFile = folder + "temp.dxf";

    Library library;
    if (!library.load(folder + kLibraryName)) return 1;
    const auto check = reinterpret_cast<CheckFunction>(library.symbol("data_chekvb"));
    const auto save = reinterpret_cast<SaveFunction>(library.symbol("save_DXF"));
    if (!check || !save) {
        std::fprintf(stderr, "korvane-draw: %s lacks data_chekvb or save_DXF\n", kLibraryName);
        return 1;
    }

    // With a placement the drawing is made from a copy of the parameter file
    // that carries the IA derived from BP, IP and EP.
    korvane_draw::PlacementRun placement(args.placement, [&](const char *name) { return library.symbol(name); });
    std::string parameterFile = args.parameterFile;
    if (args.placement.active()) {
        if (!placement.prepare(args.parameterFile) || !placement.writeOutputs(args.parameterFile)) return 1;
        parameterFile = placement.parameterCopy();
    }

    // The library's default message handler writes every message to the
    // standard error in UTF-8.
    if ((check(parameterFile.c_str()) & 0xFFFF) == 0) return 1;
    const int result = save(args.output.c_str(), parameterFile.c_str(),
                            args.templateFile.c_str(), args.tempFile.c_str());
    return (result & 0xFFFF) != 0 ? 0 : 1;
}
