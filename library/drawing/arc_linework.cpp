// The circular arc between the two clothoids: the centre arc, the lane arcs
// of the inside and then of the outside, and the normals on the arc.
#include <cmath>
#include <cstddef>

#include "drawing/curve_points.h"
#include "drawing/dxf_writer.h"
#include "drawing/linework.h"
#include "drawing/normals.h"
#include "params/design_record.h"

namespace korvane {

namespace {

// A lane line's full distance on the arc: with any widening method its whole
// amount is reached at KE and kept along the arc.
double fullDistance(double w, double method, double amount) { return method > 0 ? w + amount : w; }

void writeLaneArcs(Point centre, double start, double end, const double *widths,
                   const double *methods, const double *amounts, std::size_t count, double side) {
    for (std::size_t i = 0; i < count; ++i) {
        const double w = fullDistance(widths[i], methods[i], amounts[i]);
        writeArc(centre.x, centre.y, (design.radius + side * w) * 1000.0, start, end, kLayerLane);
    }
}

} // namespace

void writeArcLinework() {
    if (!(design.arcAngle > 0)) return;

    const bool left = design.iaRadians > 0;
    const double r = design.radius * 1000.0;
    const Point ke = firstClothoidEnd();
    const Point centre{ke.x - r * std::sin(design.tau1),
                       left ? ke.y + r * std::cos(design.tau1) : ke.y - r * std::cos(design.tau1)};

    double start, end;
    if (left) {
        start = design.tau1 * kDegreesPerRadian - 90.0;
        end = (design.tau1 + design.arcAngle) * kDegreesPerRadian - 90.0;
    } else {
        start = 90.0 - (design.tau1 + design.arcAngle) * kDegreesPerRadian;
        end = 90.0 - design.tau1 * kDegreesPerRadian;
    }
    writeArc(centre.x, centre.y, r, start, end, kLayerCentre);

    // Inside first (radius less the distance), then outside.
    if (left) {
        writeLaneArcs(centre, start, end, design.leftWidth, design.leftMethod, design.leftWidening,
                      nLeft, -1.0);
        writeLaneArcs(centre, start, end, design.rightWidth, design.rightMethod,
                      design.rightWidening, nRight, 1.0);
    } else {
        writeLaneArcs(centre, start, end, design.rightWidth, design.rightMethod,
                      design.rightWidening, nRight, -1.0);
        writeLaneArcs(centre, start, end, design.leftWidth, design.leftMethod, design.leftWidening,
                      nLeft, 1.0);
    }

    for (std::size_t k = 0; k < kIntervalCapacity && design.arcNormals[k] != 0; ++k) {
        const double phi = design.arcNormals[k] / design.radius + design.tau1;
        const Point p{centre.x + r * std::sin(phi),
                      left ? centre.y - r * std::cos(phi) : centre.y + r * std::cos(phi)};
        writeNormalLine(p, phi);
        writeLabel(p, phi, design.arcLabels[k]);
    }
}

} // namespace korvane
