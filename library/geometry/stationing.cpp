#include "geometry/stationing.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <span>

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

// Reverses the order of the non-zero entries of a list; the rest becomes 0.
void reverseNonZero(PositionList list) {
    double reversed[kIntervalCapacity] = {};
    std::size_t count = 0;
    for (std::size_t i = list.size(); i-- > 0;)
        if (list[i] != 0) reversed[count++] = list[i];
    std::copy(std::begin(reversed), std::end(reversed), list.begin());
}

// Stations that increase from the second KA: every position is measured from
// the other end, and the list is turned round to stay ascending.
void measureFromSecondKa(PositionList positions, double curve) {
    for (double &position : positions) {
        if (position == 0) break;
        position = curve - position;
    }
    reverseNonZero(positions);
}

// Each position goes onto its element: the first clothoid from its KA, the arc
// from the first KE, the second clothoid back from its KA.
void splitOntoElements(NormalLists &lists, const CurveElements &elements) {
    std::size_t onClothoid1 = 0;
    std::size_t onArc = 0;
    std::size_t onClothoid2 = 0;
    const double curve = elements.curveLength();
    const double arcEnd = elements.length1 + elements.arcLength;
    for (const double position : lists.positions) {
        if (position == 0) break;
        if (position <= elements.length1)
            lists.clothoid1Normals[onClothoid1++] = position;
        else if (position <= arcEnd)
            lists.arcNormals[onArc++] = position - elements.length1;
        else
            lists.clothoid2Normals[onClothoid2++] = curve - position;
    }
}

// Labels a list, walked up to its first 0, with the station of each position
// turned into a distance from the KA at the stationing origin.
template <typename ToStationDistance>
void labelList(const DesignRecord &design, PositionList positions, LabelList labels,
               ToStationDistance toStationDistance) {
    for (std::size_t j = 0; j < positions.size() && positions[j] != 0; ++j)
        stationLabel(design, toStationDistance(positions[j]), labels[j], kLabelCapacity);
}

void labelFromFirstKa(const DesignRecord &design, NormalLists &lists, const CurveElements &e) {
    const double curve = e.curveLength();
    labelList(design, lists.clothoid1Normals, lists.clothoid1Labels, [](double s) { return s; });
    labelList(design, lists.arcNormals, lists.arcLabels, [&e](double s) { return e.length1 + s; });
    labelList(design, lists.clothoid2Normals, lists.clothoid2Labels, [curve](double s) { return curve - s; });
}

void labelFromSecondKa(const DesignRecord &design, NormalLists &lists, const CurveElements &e) {
    const double curve = e.curveLength();
    labelList(design, lists.clothoid2Normals, lists.clothoid2Labels, [](double s) { return s; });
    labelList(design, lists.arcNormals, lists.arcLabels, [&e](double s) { return e.length2 + e.arcLength - s; });
    labelList(design, lists.clothoid1Normals, lists.clothoid1Labels, [curve](double s) { return curve - s; });
}

} // namespace

bool stationsFromRight(const DesignRecord &design) {
    const char first = design.stationDirection[0];
    return first == 'R' || first == 'r';
}

void stationLabel(const DesignRecord &design, double s, char *text, std::size_t capacity) {
    const double origin = design.kaStationNo * design.stationPitch + design.kaStationPlus;
    const double d = s + origin;
    const double n = std::floor(d / design.stationPitch);
    double m = d - n * design.stationPitch;
    // A rounding remainder just below 0 never prints with a minus sign.
    if (m < 0 && std::fabs(m) < 0.0000001) m = std::fabs(m);
    stationText(text, capacity, n, m);
}

NormalLists prepareNormals(const DesignRecord &design, const CurveElements &elements) {
    NormalLists lists{};
    std::copy(std::begin(design.normalIntervals), std::end(design.normalIntervals), lists.positions);
    accumulatePositions(lists.positions, elements.curveLength());

    const char direction = design.stationDirection[0];
    const bool fromSecondKa = stationsFromRight(design);
    const bool fromFirstKa = direction == 'L' || direction == 'l';

    if (fromSecondKa) measureFromSecondKa(lists.positions, elements.curveLength());
    splitOntoElements(lists, elements);
    reverseNonZero(lists.clothoid2Normals);

    if (fromFirstKa) labelFromFirstKa(design, lists, elements);
    if (fromSecondKa) labelFromSecondKa(design, lists, elements);
    return lists;
}

} // namespace korvane
