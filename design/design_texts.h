// One design as the form holds it: the text of every box exactly as typed
// (UTF-8) and the choice of every option group. Nothing here is a number
// yet; the checks (field_check.h) and the parameter lines
// (parameter_lines.h) read the texts.
#pragma once

#include <array>
#include <string>

#include "design/design_limits.h"

namespace design_model {

// One side's lane rows.
struct LaneTexts {
    std::array<std::string, kLaneRows> width;
    std::array<std::string, kLaneRows> widening;
    std::array<int, kLaneRows> method{}; // 0 none, 1 linear, 2 higher order; -1 when no option is chosen

    bool operator==(const LaneTexts &) const = default;
};

struct DesignTexts {
    std::string scale;
    std::string a1, radius, a2;
    std::string iaDegrees, iaMinutes, iaSeconds;
    bool directionUp = true; // 上 (the sign of the IA)
    LaneTexts right, left;
    std::string centerPitch;
    bool stationLeft = true; // stations grow from the left (L)
    std::string stationPitch;
    std::string kaStationNo, kaStationPlus;
    std::string intervals; // the normal-line intervals, one a line, "\n" between the lines

    bool operator==(const DesignTexts &) const = default;
};

// The texts データ  クリア gives; a key left out of a design file takes its
// value from these.
DesignTexts clearedDesignTexts();

// The sample design (サンプルデータ): A1 40, R 40, A2 35, IA 66°55'44.444",
// two lane lines a side, four normal lines from NO.10+10.111.
DesignTexts sampleDesignTexts();

// Rows in use of one side: the scan over the widths stops at the first that
// is empty or whose leading number is 0 (full-width digits read as ASCII).
int laneCount(const LaneTexts &side);

} // namespace design_model
