#include "placement_options.h"

#include <cstdio>
#include <filesystem>

#include "design/design_loading.h"
#include "design/placement_section.h"
#include "design/text_encoding.h"
#include "korvane.h"
#include "text_file.h"

namespace korvane_draw {

const char *const kPlacementUsage =
    "World placement (plane rectangular coordinates JGD2011, X north, Y east, metres):\n"
    "  --bp X Y --ip X Y --ep X Y  a point on the first tangent, the IP, a point on the second\n"
    "  --zone N                    coordinate-system zone 1..19\n"
    "  --route NAME                route name (路線名)\n"
    "  --placement FILE            a file with a [placement] section (e.g. a design file)\n"
    "  --coordinates FILE.csv      write the coordinate table (cp932; --utf8 for UTF-8 with BOM)\n"
    "  --landxml FILE.xml          write the alignment as J-LandXML\n"
    "With a placement the drawing is made from the IA that BP, IP and EP give.\n";

namespace {

using AngleFunction = int(KORVANE_CALL *)(const char *, const char *, const char *);
using TableFunction = int(KORVANE_CALL *)(const char *, const char *, const char *, int);
using LandXmlFunction = int(KORVANE_CALL *)(const char *, const char *, const char *);

bool takeValues(int argc, char **argv, int &i, std::string *values, int count) {
    if (i + count >= argc) {
        std::fprintf(stderr, "korvane-draw: %s needs %d value%s\n", argv[i], count, count > 1 ? "s" : "");
        return false;
    }
    for (int k = 0; k < count; ++k) {
        values[k] = argv[++i];
        // A line break would start another line of the placement file.
        if (values[k].find_first_of("\r\n") != std::string::npos) {
            std::fprintf(stderr, "korvane-draw: the value of %s holds a line break\n", argv[i - k - 1]);
            return false;
        }
    }
    return true;
}

// The placement file for the options. Windows hands the arguments over in
// the ANSI code page; the file is UTF-8.
std::string placementText(const PlacementOptions &o) {
    design_model::PlacementTexts texts;
    const auto utf8 = [](const std::string &text) { return design_model::systemTextToUtf8(text); };
    texts.zone = utf8(o.zone);
    texts.route = utf8(o.route);
    for (int k = 0; k < 2; ++k) {
        texts.bp[k] = utf8(o.bp[k]);
        texts.ip[k] = utf8(o.ip[k]);
        texts.ep[k] = utf8(o.ep[k]);
    }
    return design_model::placementSectionText(texts);
}

bool readText(const std::string &path, std::string &text) {
    std::string ignored;
    return design_model::readWholeFile(path, design_model::kLargestDesignFile, text, ignored) ==
           design_model::FileReading::Read;
}

bool writeText(const std::string &path, const std::string &text) {
    return korvane_host::writeTextFile(path, text, "korvane-draw");
}

// The value of "parameter.line = …" in the library's IA file.
std::string parameterLine(const std::string &turnText) {
    const std::string key = "parameter.line = ";
    const std::size_t at = turnText.find(key);
    if (at == std::string::npos) return {};
    const std::size_t end = turnText.find('\n', at);
    return turnText.substr(at + key.size(), end == std::string::npos ? std::string::npos : end - at - key.size());
}

// The parameter file with its sixth line (the IA) replaced; the line end of
// the file is kept.
bool replaceAngleLine(std::string &text, const std::string &angle) {
    std::size_t start = 0;
    for (int line = 1; line < 6; ++line) {
        start = text.find('\n', start);
        if (start == std::string::npos) return false;
        ++start;
    }
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) return false;
    if (end > start && text[end - 1] == '\r') --end;
    text.replace(start, end - start, angle);
    return true;
}

} // namespace

int takePlacementOption(int argc, char **argv, int &i, PlacementOptions &o) {
    const std::string arg = argv[i];
    std::string *target = nullptr;
    int count = 1;
    if (arg == "--bp" || arg == "--ip" || arg == "--ep") {
        target = arg == "--bp" ? o.bp : arg == "--ip" ? o.ip : o.ep;
        count = 2;
    } else if (arg == "--zone") target = &o.zone;
    else if (arg == "--route") target = &o.route;
    else if (arg == "--placement") target = &o.placementFile;
    else if (arg == "--coordinates") target = &o.coordinatesFile;
    else if (arg == "--landxml") target = &o.landXmlFile;
    else if (arg == "--utf8") {
        o.utf8 = true;
        return 1;
    } else return 0;
    return takeValues(argc, argv, i, target, count) ? 1 : -1;
}

bool placementOptionsConsistent(const PlacementOptions &o) {
    const char *problem = nullptr;
    if (o.pointsGiven() && !o.placementFile.empty())
        problem = "--placement cannot be combined with --bp, --ip, --ep or --zone";
    else if (o.pointsGiven() && (o.bp[0].empty() || o.ip[0].empty() || o.ep[0].empty() || o.zone.empty()))
        problem = "--bp, --ip, --ep and --zone go together";
    else if (!o.active() && (!o.coordinatesFile.empty() || !o.landXmlFile.empty() || !o.route.empty()))
        problem = "--coordinates, --landxml and --route need a placement (--placement or --bp/--ip/--ep)";
    else if (o.utf8 && o.coordinatesFile.empty())
        problem = "--utf8 applies to --coordinates only";
    else if (!o.route.empty() && !o.placementFile.empty())
        problem = "--route goes with --bp/--ip/--ep; the placement file names its own route";
    if (problem) std::fprintf(stderr, "korvane-draw: %s\n", problem);
    return problem == nullptr;
}

PlacementRun::PlacementRun(const PlacementOptions &options, const korvane_host::PrivateFolder &folder, Lookup lookup)
    : options_(options), lookup_(std::move(lookup)), placementCopy_(folder.file("placement.rvd")),
      parameterCopy_(folder.file("placed_ALN_TXT_.DAT")), turnFile_(folder.file("ia.txt")),
      checkTable_(folder.file("check.csv")) {}

std::string PlacementRun::placementPath() const {
    return options_.placementFile.empty() ? placementCopy_ : options_.placementFile;
}

bool PlacementRun::prepare(const std::string &parameterFile) {
    if (options_.placementFile.empty() && !writeText(placementCopy_, placementText(options_))) return false;
    const auto angle = reinterpret_cast<AngleFunction>(lookup_("korvane_placement_angle"));
    if (!angle) {
        std::fprintf(stderr, "korvane-draw: the library lacks korvane_placement_angle\n");
        return false;
    }
    if ((angle(parameterFile.c_str(), placementPath().c_str(), turnFile_.c_str()) & 0xFFFF) == 0) return false;
    std::string turn, parameters;
    const std::string line = readText(turnFile_, turn) ? parameterLine(turn) : std::string();
    if (line.empty() || !readText(parameterFile, parameters) || !replaceAngleLine(parameters, line)) {
        std::fprintf(stderr, "korvane-draw: cannot put the derived IA into a copy of %s\n", parameterFile.c_str());
        return false;
    }
    std::fprintf(stderr, "korvane-draw: IA from the placement: %s\n", line.c_str());
    return writeText(parameterCopy_, parameters);
}

bool PlacementRun::writeOutputs(const std::string &parameterFile) {
    const auto table = reinterpret_cast<TableFunction>(lookup_("korvane_coordinate_table"));
    const auto landXml = reinterpret_cast<LandXmlFunction>(lookup_("korvane_landxml"));
    if (!table || !landXml) {
        std::fprintf(stderr, "korvane-draw: the library lacks korvane_coordinate_table or korvane_landxml\n");
        return false;
    }
    const std::string placement = placementPath();
    // Without a table asked for, one is still made (and removed): it proves
    // that the curve fits between BP and EP before anything is drawn.
    const std::string tablePath = options_.coordinatesFile.empty() ? checkTable_ : options_.coordinatesFile;
    const int tableResult = table(parameterFile.c_str(), placement.c_str(), tablePath.c_str(), options_.utf8 ? 1 : 0);
    if (options_.coordinatesFile.empty()) {
        std::error_code ignored;
        std::filesystem::remove(tablePath, ignored);
    }
    if ((tableResult & 0xFFFF) == 0) return false;
    if (!options_.landXmlFile.empty() &&
        (landXml(parameterFile.c_str(), placement.c_str(), options_.landXmlFile.c_str()) & 0xFFFF) == 0)
        return false;
    return true;
}

} // namespace korvane_draw
