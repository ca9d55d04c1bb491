#include "aci_colour.h"

#include <cstdlib>

namespace rovena::preview {

namespace {

constexpr std::uint32_t rgb(int r, int g, int b) {
    return (static_cast<std::uint32_t>(r) << 16) | (static_cast<std::uint32_t>(g) << 8) |
           static_cast<std::uint32_t>(b);
}

// Colours 10 to 249: 24 hues 15 degrees apart, each in five shades of
// decreasing value, every shade once full and once half saturated.
std::uint32_t hueColour(int index) {
    constexpr int values[5] = {255, 165, 127, 76, 38};
    const int hueStep = index / 10 - 1;           // 0..23, 15 degrees each
    const int shade = (index % 10) / 2;
    const bool pale = (index % 2) == 1;
    const double value = values[shade];
    const double low = pale ? value / 2.0 : 0.0;

    const int sector = hueStep / 4;               // 60-degree sectors
    const double within = (hueStep % 4) / 4.0;    // position inside the sector
    const double rising = low + (value - low) * within;
    const double falling = low + (value - low) * (1.0 - within);
    double r = 0, g = 0, b = 0;
    switch (sector) {
    case 0: r = value; g = rising; b = low; break;
    case 1: r = falling; g = value; b = low; break;
    case 2: r = low; g = value; b = rising; break;
    case 3: r = low; g = falling; b = value; break;
    case 4: r = rising; g = low; b = value; break;
    default: r = value; g = low; b = falling; break;
    }
    return rgb(static_cast<int>(r), static_cast<int>(g), static_cast<int>(b));
}

}  // namespace

std::uint32_t aciToRgb(int index) {
    index = std::abs(index);
    switch (index) {
    case 1: return rgb(255, 0, 0);
    case 2: return rgb(255, 255, 0);
    case 3: return rgb(0, 255, 0);
    case 4: return rgb(0, 255, 255);
    case 5: return rgb(0, 0, 255);
    case 6: return rgb(255, 0, 255);
    case 7: return rgb(0, 0, 0);
    case 8: return rgb(128, 128, 128);
    case 9: return rgb(192, 192, 192);
    default: break;
    }
    if (index >= 10 && index <= 249) return hueColour(index);
    if (index >= 250 && index <= 255) {
        constexpr int greys[6] = {51, 91, 132, 173, 214, 255};
        const int g = greys[index - 250];
        return rgb(g, g, g);
    }
    return rgb(0, 0, 0);
}

}  // namespace rovena::preview
