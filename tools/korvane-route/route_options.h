// korvane-route's command line: the input, the settings that replace the
// input's own, and the outputs.
#pragma once

#include <string>
#include <vector>

namespace korvane_route {

struct Output {
    const char *option; // "--table", …
    std::string path;   // empty: not asked for
};

struct RouteOptions {
    std::string input;
    // Settings as typed (UTF-8); empty when not given.
    std::string zone, name, start, pitch, speed, widthLeft, widthRight;
    std::string alignment; // the alignment of a LandXML input

    std::vector<std::string> equations; // "BACK = AHEAD"
    Output table{"--table", {}}, stakes{"--stakes", {}}, sima{"--sima", {}}, landxml{"--landxml", {}},
        report{"--report", {}}, save{"--save", {}}, plan{"--plan", {}};
    int scale = 1000; // the plan's, 1/scale
    bool utf8 = false;
    bool help = false;

    bool settingsGiven() const;
    std::vector<const Output *> outputs() const; // those asked for
};

extern const char *const kUsage;

// Reads the command line; false after one message on the standard error
// naming the option and the text found.
bool parseRouteOptions(int argc, char **argv, RouteOptions &options);

// The settings as a route file without IP table (UTF-8), for the library to
// put in place of the input's.
std::string settingsText(const RouteOptions &options);

} // namespace korvane_route
