// The library's design record: the inputs read from the parameter file and
// the values derived from them. The exports keep one static instance (which
// the world placement reads too), zero-filled at load and kept for the
// library's lifetime; a field that a read does not reach keeps the previous
// design's value. The reader, the checks, the computations and the drawing
// take a record (or its parts) and return what they compute.
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

// π as the drawing and the angle conversions take it (ten decimals, not the
// double π); the design model judges the curve's end with the same value.
constexpr double kPi = design_model::kLibraryPi;
constexpr double kQuarterTurn = 1.5707963268;
constexpr double kDegreesPerRadian = 57.29577951289617;

// The angles of the curve, derived from IA and the clothoid parameters.
struct CurveAngles {
    double iaRadians; // IA, signed: positive turns the curve left of the first tangent
    double tau1;      // tangent angle at the end of the first clothoid
    double tau2;      // the same for the second clothoid
    double arcAngle;  // central angle of the arc, |IA| - (tau1 + tau2); may be negative
};

// The curve elements: the three lengths, the clothoid end points in their own
// frames, the abscissae XM of the shifted circle centre, the shifts, the
// tangent lengths and W.
struct CurveElements {
    double length1;
    double length2;
    double arcLength; // 0 when the arc angle is negative
    double x1, y1;
    double x2, y2;
    double xm1, xm2;
    double shift1, shift2;
    double tangent1, tangent2;
    double tangentW;

    // Total curve length CL, always summed in this order.
    double curveLength() const { return length1 + arcLength + length2; }
};

// The normal-line positions of a design and their station labels. Every list
// is ascending and ends at its first 0.
struct NormalLists {
    double positions[kIntervalCapacity];        // along the centre line from the first KA
    double clothoid1Normals[kIntervalCapacity]; // from the first KA
    double arcNormals[kIntervalCapacity];       // from the first KE along the arc
    double clothoid2Normals[kIntervalCapacity]; // from the second KA back along its clothoid
    char clothoid1Labels[kIntervalCapacity][kLabelCapacity];
    char arcLabels[kIntervalCapacity][kLabelCapacity];
    char clothoid2Labels[kIntervalCapacity][kLabelCapacity];
};

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

    // Derived by data_chekvb and save_DXF, each from its own read.
    CurveAngles angles;
    // Computed by save_DXF for its drawing (and by the world placement).
    CurveElements elements;
    NormalLists normals;

    // The temporary polyline file of a drawing run.
    char tempPath[kPathCapacity];
};

// The single record of the exports. Zero-filled because it has static
// storage duration.
extern DesignRecord design;

} // namespace korvane
