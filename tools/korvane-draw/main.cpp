// korvane-draw PARAMFILE OUTPUT.dxf [--template FILE] [--temp FILE] [placement options]
//
// Checks the design of a parameter file, or of a Rovena design file, which is
// first turned into a parameter file in a temporary folder of the run's own,
// and draws it into a DXF file with the Korvane library, loaded at run time
// from the program's own folder, else from the installation's library
// folder, else through the system's library search. Every
// message of the library goes to the standard error in UTF-8. Exit status 0
// when the drawing was written, 1 otherwise.
#include <cstdio>
#include <cstring>
#include <set>
#include <string>

#include "design_input.h"
#include "korvane.h"
#include "library_loader.h"
#include "shipped_files.h"
#include "private_folder.h"
#include "stderr_messages.h"
#include "placement_options.h"
#include "staged_outputs.h"

namespace {

// The runtime name (libkorvane.so.1, korvane.dll).
constexpr const char *kLibraryName = KORVANE_RUNTIME_NAME;

constexpr const char *kUsage =
    "Usage: korvane-draw PARAMFILE OUTPUT.dxf [--template FILE] [--temp FILE] [placement options]\n"
    "Checks the design in PARAMFILE (data_chekvb) and draws it into OUTPUT.dxf (save_DXF)\n"
    "with the library %s loaded from the program's folder, else from the installation's,\n"
    "else through the system's library search.\n"
    "PARAMFILE may be a Rovena design file: it is written as a parameter file first\n"
    "(setteifincls, setteifin) into a temporary folder of the run's own.\n"
    "  --template FILE  DXF header template (default: aln_hdr_.dxf beside the program,\n"
    "                   else in the installation's share/rovena)\n"
    "  --temp FILE      temporary polyline file (default: temp.dxf in a new temporary\n"
    "                   folder, removed at the end)\n"
    "%s"
    "Each option is given once. The drawing, the coordinate table and the J-LandXML file\n"
    "are written to temporary files beside them and take their names only when all\n"
    "of them were written; on failure earlier files of those names stay as they were.\n"
    "Messages of the library go to the standard error in UTF-8.\n"
    "Exit status: 0 when the drawing was written, 1 otherwise.\n";

using CheckFunction = int(KORVANE_CALL *)(const char *);
using SaveFunction = int(KORVANE_CALL *)(const char *, const char *, const char *, const char *);

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
    std::set<std::string> given;
    for (int i = 1; i < argc; ++i) {
        const char *arg = argv[i];
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            args.help = true;
            return true;
        }
        // An option given twice is refused, as a placement file refuses a
        // key given twice: which of the two was meant cannot be told.
        if (arg[0] == '-' && arg[1] == '-' && !given.insert(arg).second) {
            std::fprintf(stderr, "korvane-draw: %s is given twice\n", arg);
            return false;
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
    // A design file that holds a placement places the curve itself.
    if (!args.placement.active() && korvane_draw::designHasPlacement(args.parameterFile))
        args.placement.placementFile = args.parameterFile;
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

    const std::string folder = korvane_draw::programFolder(argv[0]);
    if (args.templateFile.empty()) args.templateFile = korvane_draw::findDataFile(folder, "aln_hdr_.dxf");
    korvane_draw::PrivateFolder work;
    if (!work.create()) return 1;
    if (args.tempFile.empty()) args.tempFile = work.file("temp.dxf");

    korvane_draw::LoadedLibrary library;
    if (!library.load(korvane_draw::findLibrary(folder, kLibraryName), "korvane-draw")) return 1;
    const auto check = reinterpret_cast<CheckFunction>(library.symbol("data_chekvb"));
    const auto save = reinterpret_cast<SaveFunction>(library.symbol("save_DXF"));
    if (!check || !save) {
        std::fprintf(stderr, "korvane-draw: %s lacks data_chekvb or save_DXF\n", kLibraryName);
        return 1;
    }

    if (!useStderrForMessages(library.symbol("korvane_set_message_handler"))) {
        std::fprintf(stderr, "korvane-draw: %s lacks korvane_set_message_handler\n", kLibraryName);
        return 1;
    }
    const korvane_draw::ParameterWriter writer{
        reinterpret_cast<korvane_draw::ClearFunction>(library.symbol("setteifincls")),
        reinterpret_cast<korvane_draw::AppendFunction>(library.symbol("setteifin"))};
    if (!writer.setteifincls || !writer.setteifin) {
        std::fprintf(stderr, "korvane-draw: %s lacks setteifincls or setteifin\n", kLibraryName);
        return 1;
    }
    std::string parameterFile =
        korvane_draw::parameterFileFor(args.parameterFile, work.file("ALN_TXT_.DAT"), writer);
    if (parameterFile.empty()) return 1;

    // Every output goes to a temporary file beside it first; all of them
    // take their names only when all have been written.
    korvane_draw::StagedOutputs outputs;
    const std::string drawing = outputs.stage(args.output);
    korvane_draw::PlacementOptions placementOutputs = args.placement;
    if (!placementOutputs.coordinatesFile.empty())
        placementOutputs.coordinatesFile = outputs.stage(placementOutputs.coordinatesFile);
    if (!placementOutputs.landXmlFile.empty()) placementOutputs.landXmlFile = outputs.stage(placementOutputs.landXmlFile);

    // With a placement the drawing is made from a copy of the parameter file
    // that carries the IA derived from BP, IP and EP.
    korvane_draw::PlacementRun placement(placementOutputs, work,
                                         [&](const char *name) { return library.symbol(name); });
    if (args.placement.active()) {
        if (!placement.prepare(parameterFile) || !placement.writeOutputs(parameterFile)) return 1;
        parameterFile = placement.parameterCopy();
    }
    if ((check(parameterFile.c_str()) & 0xFFFF) == 0) return 1;
    const int result = save(drawing.c_str(), parameterFile.c_str(), args.templateFile.c_str(), args.tempFile.c_str());
    return (result & 0xFFFF) != 0 && outputs.commit() ? 0 : 1;
}
