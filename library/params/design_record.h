// The library's one design record: the inputs read from the parameter file
// and every value derived from them. One static instance, zero-filled at load
// and kept for the library's lifetime; a field that a read does not reach keeps
// the previous design's value.
#pragma once

#include <cstddef>
#include <cstdint>

#include "design/design_limits.h"

namespace korvane {

constexpr std::size_t kLaneCapacity = design_model::kLaneRecordCapacity;         // widths per side, terminating 0 included
constexpr std::size_t kIntervalCapacity = design_model::kIntervalRecordCapacity; // normal intervals, end mark included
constexpr std::size_t kPathCapacity = 260;     // a path of at most 259 bytes plus NUL
constexpr std::size_t kDirectionCapacity = 8;
constexpr std::size_t kStyleNameCapacity = 20;
constexpr std::size_t kLabelCapacity = 20;     // station label: at most 19 bytes plus NUL

// π as the drawing and the angle conversions take it (ten decimals, not the double π).
constexpr double kPi = 3.1415926536;
constexpr double kQuarterTurn = 1.5707963268;
constexpr double kDegreesPerRadian = 57.29577951289617;

struct DesignRecord {
    // Read from the parameter file, in file order.
    double scale;
    char outputPath[kPathCapacity];
    char outputExtension[kPathCapacity];
    double a1;
    double a2;
    double radius;
    double iaDegrees;
    double iaMinutes;
    double iaSeconds;
    double rightWidth[kLaneCapacity];
    double rightMethod[kLaneCapacity];
    double rightWidening[kLaneCapacity];
    double leftWidth[kLaneCapacity];
    double leftMethod[kLaneCapacity];
    double leftWidening[kLaneCapacity];
    double centerPitch;
    char stationDirection[kDirectionCapacity];
    double stationPitch;
    double kaStationNo;
    double kaStationPlus;
    double normalIntervals[kIntervalCapacity];
    char lineStyle1Name[kStyleNameCapacity];
    std::int32_t lineStyle1Number;
    char lineStyle2Name[kStyleNameCapacity];
    std::int32_t lineStyle2Number;
    char lineStyle3Name[kStyleNameCapacity];
    std::int32_t lineStyle3Number;

    // Derived angles (each data_chekvb and save_DXF from its own read) and
    // curve elements (save_DXF).
    double iaRadians;
    double tau1;
    double tau2;
    double arcAngle;
    double length1;
    double length2;
    double arcLength;
    double x1, y1;
    double x2, y2;
    double xm1, xm2;
    double shift1, shift2;
    double tangent1, tangent2;
    double tangentW;

    // Normal-line positions on each element and their station labels.
    double clothoid1Normals[kIntervalCapacity];
    double arcNormals[kIntervalCapacity];
    double clothoid2Normals[kIntervalCapacity];
    double normalScratch[kIntervalCapacity];
    double clothoid2Scratch[kIntervalCapacity];
    char clothoid1Labels[kIntervalCapacity][kLabelCapacity];
    char arcLabels[kIntervalCapacity][kLabelCapacity];
    char clothoid2Labels[kIntervalCapacity][kLabelCapacity];

    // The temporary polyline file of a drawing run.
    char tempPath[kPathCapacity];
};

// The single record. Zero-filled because it has static storage duration.
extern DesignRecord design;

// Total curve length CL, always summed in this order.
inline double curveLength() { return design.length1 + design.arcLength + design.length2; }

} // namespace korvane
