// The design on the form as the lines of the parameter file: for every line
// the pieces of text that are sent one by one, each line then ended by the
// line-break token.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

#include "lane_rows.h"

namespace rovena {

// One side's lane rows as the form holds them.
struct LaneTexts {
    std::array<QString, kLaneRows> width;
    std::array<QString, kLaneRows> widening;
    std::array<int, kLaneRows> method{}; // 0, 1 or 2; -1 when no option is selected
    int count = 0;                       // rows in use (laneCount)

    bool operator==(const LaneTexts &) const = default;
};

// Every input of one design, read from the controls.
struct DesignTexts {
    QString scale;
    QString a1, radius, a2;
    QString iaDegrees, iaMinutes, iaSeconds;
    bool directionUp = true; // "上" selected
    LaneTexts right, left;
    QString centerPitch;
    bool stationLeft = true; // "左" selected
    QString stationPitch;
    QString kaStationNo, kaStationPlus;
    QString intervals; // the text of Text1, "\n" between its lines

    bool operator==(const DesignTexts &) const = default;
};

// The interval text with spaces and ideographic spaces removed and every line
// break replaced by one space.
QString normalisedIntervals(const QString &text);

// The 22 lines of the parameter file, each as the pieces sent for it.
std::vector<QStringList> parameterLines(const DesignTexts &design);

} // namespace rovena
