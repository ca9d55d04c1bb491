#include "geometry/station_text.h"

#include <cstdio>

namespace korvane {

int stationText(char *text, std::size_t capacity, double n, double m) {
    return std::snprintf(text, capacity, "NO.%.0f+%.3f", n, m);
}

} // namespace korvane
