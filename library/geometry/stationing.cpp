#include "geometry/stationing.h"

#include <cmath>
#include <cstdio>
#include <span>

#include "geometry/curve_elements.h"
#include "params/design_record.h"

namespace korvane {

namespace {

using PositionList = std::span<double, kIntervalCapacity>;
using LabelList = std::span<char[kLabelCapacity], kIntervalCapacity>;

// Positions beyond kMaxNormalPosition from the first KA end the list, as do
// negative ones and those at or beyond the end of the curve. Written so that
// a value that is not a number is out of range too.
bool inRange(double position, double curve) {
    return position >= 0 && position < curve && position <= kMaxNormalPosition;
}

// Intervals from the previous normal line become positions from the first KA.
// The first interval that is 0 or leads out of the curve ends the list.
void accumulatePositions(PositionList positions, double curve) {
    bool stop = false;
    if (!inRange(positions[0], curve) || positions[0] == 0) {
        positions[0] = 0;
        stop = true;
    }
    for (std::size_t j = 1; j < positions.size(); ++j) {
        if (stop) {
            positions[j] = 0;
            continue;
        }
        positions[j] = positions[j] + positions[j - 1];
        if (positions[j] == positions[j - 1] || !inRange(positions[j], curve)) {
            positions[j] = 0;
            stop = true;
        }
    }
}

void clear(PositionList list) {
    for (double &value : list) value = 0;
}

// Reverses the non-zero entries of a list through a scratch array of the same size.
void reverseThrough(PositionList list, PositionList scratch) {
    std::size_t count = 0;
    clear(scratch);
    for (std::size_t i = list.size(); i-- > 0;)
        if (list[i] != 0) scratch[count++] = list[i];
    for (std::size_t i = 0; i < list.size(); ++i) list[i] = scratch[i];
}

// Stations that increase from the second KA: every position is measured from
// the other end, and the list is turned round to stay ascending.
void measureFromSecondKa(double curve) {
    for (double &position : design.normalIntervals) {
        if (position == 0) break;
        position = curve - position;
    }
    reverseThrough(design.normalIntervals, design.normalScratch);
}

// Each position goes onto its element: the first clothoid from its KA, the arc
// from the first KE, the second clothoid back from its KA.
void splitOntoElements(double curve) {
    std::size_t onClothoid1 = 0;
    std::size_t onArc = 0;
    std::size_t onClothoid2 = 0;
    const double arcEnd = design.length1 + design.arcLength;
    for (const double position : design.normalIntervals) {
        if (position == 0) break;
        if (position <= design.length1)
            design.clothoid1Normals[onClothoid1++] = position;
        else if (position <= arcEnd)
            design.arcNormals[onArc++] = position - design.length1;
        else
            design.clothoid2Normals[onClothoid2++] = curve - position;
    }
}

// Labels a list, walked up to its first 0, with the station of each position
// turned into a distance from the KA at the stationing origin.
template <typename ToStationDistance>
void labelList(PositionList positions, LabelList labels, ToStationDistance toStationDistance) {
    for (std::size_t j = 0; j < positions.size() && positions[j] != 0; ++j)
        stationLabel(labels[j], kLabelCapacity, toStationDistance(positions[j]));
}

void labelFromFirstKa(double curve) {
    labelList(design.clothoid1Normals, design.clothoid1Labels, [](double s) { return s; });
    labelList(design.arcNormals, design.arcLabels, [](double s) { return design.length1 + s; });
    labelList(design.clothoid2Normals, design.clothoid2Labels, [curve](double s) { return curve - s; });
}

void labelFromSecondKa(double curve) {
    labelList(design.clothoid2Normals, design.clothoid2Labels, [](double s) { return s; });
    labelList(design.arcNormals, design.arcLabels,
              [](double s) { return design.length2 + design.arcLength - s; });
    labelList(design.clothoid1Normals, design.clothoid1Labels, [curve](double s) { return curve - s; });
}

} // namespace

bool stationsFromRight() {
    const char first = design.stationDirection[0];
    return first == 'R' || first == 'r';
}

int stationText(char *text, std::size_t capacity, double n, double m) {
    return std::snprintf(text, capacity, "NO.%.0f+%.3f", n, m);
}

void stationLabel(char *text, std::size_t capacity, double s) {
    const double origin = design.kaStationNo * design.stationPitch + design.kaStationPlus;
    const double d = s + origin;
    const double n = std::floor(d / design.stationPitch);
    double m = d - n * design.stationPitch;
    // A rounding remainder just below 0 never prints with a minus sign.
    if (m < 0 && std::fabs(m) < 0.0000001) m = std::fabs(m);
    if (text == nullptr || capacity == 0) return;
    stationText(text, capacity, n, m);
}

void prepareNormals() {
    computeLengths();
    const double curve = curveLength();

    clear(design.clothoid1Normals);
    clear(design.arcNormals);
    clear(design.clothoid2Normals);

    accumulatePositions(design.normalIntervals, curve);

    const char direction = design.stationDirection[0];
    const bool fromSecondKa = stationsFromRight();
    const bool fromFirstKa = direction == 'L' || direction == 'l';

    if (fromSecondKa) measureFromSecondKa(curve);
    splitOntoElements(curve);
    reverseThrough(design.clothoid2Normals, design.clothoid2Scratch);

    if (fromFirstKa) labelFromFirstKa(curve);
    if (fromSecondKa) labelFromSecondKa(curve);
}

} // namespace korvane
