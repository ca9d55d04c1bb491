// korvane-route IPS.csv|ROUTE.rvr|FILE.xml [settings] [outputs]
//
// Computes a route from its IP table, route file or LandXML alignment with the
// Korvane library, loaded at run time as korvane-draw loads it, and writes the outputs asked
// for through the library's route exports. Settings given as options are
// written to a route file without IP table in a private temporary folder and
// handed to every export, which puts them in place of the input's. Each
// output goes to a file beside its target first; the targets are replaced
// only when every output was written. The plan drawing takes the header
// template beside the program or in the installation's data folder, as
// korvane-draw finds it. Messages go to the standard error in
// UTF-8; exit status 0 only when everything asked for was done.
#include <cstdio>
#include <string>
#include <utility>

#include "korvane.h"
#include "library_loader.h"
#include "library_messages.h"
#include "private_folder.h"
#include "route_options.h"
#include "shipped_files.h"
#include "staged_outputs.h"
#include "text_file.h"

namespace {

// The runtime name (libkorvane.so.1, korvane.dll).
constexpr const char *kLibraryName = KORVANE_RUNTIME_NAME;

using CheckFunction = int(KORVANE_CALL *)(const char *, const char *);
using PathFunction = int(KORVANE_CALL *)(const char *, const char *, const char *);
using FlagFunction = int(KORVANE_CALL *)(const char *, const char *, const char *, int);
using PlanFunction = int(KORVANE_CALL *)(const char *, const char *, const char *, const char *, int);

class Run {
public:
    Run(const korvane_route::RouteOptions &options, const korvane_host::LoadedLibrary &library,
        std::string templatePath)
        : o_(options), library_(library), template_(std::move(templatePath)) {}

    bool symbolsPresent() const {
        for (const char *name : {"korvane_route_check", "korvane_route_table", "korvane_route_stakes",
                                 "korvane_route_sima", "korvane_route_landxml", "korvane_route_report",
                                 "korvane_route_save", "korvane_route_plan"})
            if (!library_.symbol(name)) {
                std::fprintf(stderr, "korvane-route: %s lacks %s\n", kLibraryName, name);
                return false;
            }
        return true;
    }

    // Every output asked for, all written or none; without outputs, the check.
    bool outputs(const std::string &settings) {
        const char *input = o_.input.c_str();
        const char *s = settings.empty() ? nullptr : settings.c_str();
        if (o_.outputs().empty()) return ok(symbol<CheckFunction>("korvane_route_check")(input, s));
        korvane_host::StagedOutputs staged("korvane-route");
        const int utf8 = o_.utf8 ? 1 : 0;
        const auto flag = [&](const korvane_route::Output &out, const char *name, int value) {
            return out.path.empty() || ok(symbol<FlagFunction>(name)(input, s, staged.stage(out.path).c_str(), value));
        };
        const auto path = [&](const korvane_route::Output &out, const char *name) {
            return out.path.empty() || ok(symbol<PathFunction>(name)(input, s, staged.stage(out.path).c_str()));
        };
        const bool written = flag(o_.table, "korvane_route_table", utf8) &&
                             flag(o_.stakes, "korvane_route_stakes", utf8) && path(o_.sima, "korvane_route_sima") &&
                             path(o_.landxml, "korvane_route_landxml") &&
                             flag(o_.report, "korvane_route_report", utf8) && path(o_.save, "korvane_route_save") &&
                             (o_.plan.path.empty() ||
                              ok(symbol<PlanFunction>("korvane_route_plan")(
                                  input, s, staged.stage(o_.plan.path).c_str(), template_.c_str(), o_.scale)));
        return written && staged.commit();
    }

private:
    template <typename Function> Function symbol(const char *name) const {
        return reinterpret_cast<Function>(library_.symbol(name));
    }
    static bool ok(int result) { return (result & 0xFFFF) != 0; }

    const korvane_route::RouteOptions &o_;
    const korvane_host::LoadedLibrary &library_;
    std::string template_;
};

} // namespace

int main(int argc, char **argv) {
    korvane_route::RouteOptions options;
    if (!korvane_route::parseRouteOptions(argc, argv, options)) {
        std::fprintf(stderr, "Try 'korvane-route --help'.\n");
        return 1;
    }
    if (options.help) {
        std::printf(korvane_route::kUsage, kLibraryName);
        return 0;
    }
    korvane_host::PrivateFolder work("korvane-route");
    if (!work.create()) return 1;
    std::string settings;
    if (options.settingsGiven()) {
        settings = work.file("settings.rvr");
        if (!korvane_host::writeTextFile(settings, korvane_route::settingsText(options), "korvane-route")) return 1;
    }
    korvane_host::LoadedLibrary library;
    const std::string folder = korvane_host::programFolder(argv[0]);
    if (!library.load(korvane_host::findLibrary(folder, kLibraryName), "korvane-route")) return 1;
    if (!korvane_host::sendLibraryMessagesToStderr(library.symbol("korvane_set_message_handler"), "korvane-route: ", true)) {
        std::fprintf(stderr, "korvane-route: %s lacks korvane_set_message_handler\n", kLibraryName);
        return 1;
    }
    Run run(options, library, korvane_host::findDataFile(folder, "aln_hdr_.dxf"));
    if (!run.symbolsPresent()) return 1;
    return run.outputs(settings) ? 0 : 1;
}
