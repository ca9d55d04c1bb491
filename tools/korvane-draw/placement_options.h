// korvane-draw's world placement: the options --bp, --ip, --ep, --zone,
// --route, --placement, --coordinates, --utf8 and --landxml, the drawing from
// the IA that the placement gives, and the coordinate table and J-LandXML
// written by the library.
#pragma once

#include <functional>
#include <string>

#include "private_folder.h"

namespace korvane_draw {

struct PlacementOptions {
    std::string bp[2], ip[2], ep[2];
    std::string zone;
    std::string route;
    std::string placementFile;
    std::string coordinatesFile;
    std::string landXmlFile;
    bool utf8 = false;

    bool pointsGiven() const { return !bp[0].empty() || !ip[0].empty() || !ep[0].empty() || !zone.empty(); }
    bool active() const { return pointsGiven() || !placementFile.empty(); }
};

extern const char *const kPlacementUsage;

// Takes the option at argv[i] and its values when it is one of ours: 1 taken
// (i moved to its last value), 0 not ours, -1 wrong (said on stderr).
int takePlacementOption(int argc, char **argv, int &i, PlacementOptions &options);

// Whether the options go together; says why not on stderr.
bool placementOptionsConsistent(const PlacementOptions &options);

// One run with a placement: copies of the placement and of the parameter
// file (with the derived IA) in the run's private folder.
class PlacementRun {
public:
    using Lookup = std::function<void *(const char *)>;
    PlacementRun(const PlacementOptions &options, const korvane_host::PrivateFolder &folder, Lookup lookup);

    // Derives the IA and writes the parameter copy to draw from; false after
    // a message.
    bool prepare(const std::string &parameterFile);
    const std::string &parameterCopy() const { return parameterCopy_; }

    // Writes the coordinate table and the J-LandXML file asked for; false
    // after a message, also when the curve does not fit between BP and EP.
    bool writeOutputs(const std::string &parameterFile);

private:
    std::string placementPath() const;

    const PlacementOptions &options_;
    Lookup lookup_;
    std::string placementCopy_;
    std::string parameterCopy_;
    std::string turnFile_;
    std::string checkTable_;
};

} // namespace korvane_draw
