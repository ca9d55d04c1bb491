// A named point of the line (主要点): BP, EP, the main points of the
// curves, or the element boundaries named by a file.
#pragma once

#include <string>

namespace korvane::route {

struct MainPoint {
    std::string name;
    double distance = 0; // along the line from its start
    int ip = -1;         // the point of the IP table it belongs to; −1 for none
};

} // namespace korvane::route
