// The circular arc between the two clothoids: the centre arc, the lane arcs
// of the inside and then of the outside, and the normals on the arc.
#include <cmath>
#include <cstddef>

#include "drawing/linework.h"
#include "drawing/normals.h"

namespace korvane {

namespace {

// A lane line's full distance on the arc: with any widening method its whole
// amount is reached at KE and kept along the arc.
double fullDistance(double w, double method, double amount) { return method > 0 ? w + amount : w; }

// The lane arcs of one side, each at its full distance from the centre arc:
// side -1 inside the curve, +1 outside.
struct LaneArcs {
    DrawingRun &run;
    Point centre;
    double start;
    double end;

    void write(const double *widths, const double *methods, const double *amounts, double side) {
        const double radius = run.design().radius;
        const std::size_t count = countLaneLines(widths);
        for (std::size_t i = 0; i < count; ++i) {
            const double w = fullDistance(widths[i], methods[i], amounts[i]);
            run.dxf().writeArc(centre.x, centre.y, (radius + side * w) * 1000.0, start, end, kLayerLane);
        }
    }
};

} // namespace

void writeArcLinework(DrawingRun &run, Point firstKe) {
    const DesignRecord &design = run.design();
    const CurveAngles &angles = design.angles;
    if (!(angles.arcAngle > 0)) return;

    const bool left = angles.iaRadians > 0;
    const double r = design.radius * 1000.0;
    const Point centre{firstKe.x - r * std::sin(angles.tau1),
                       left ? firstKe.y + r * std::cos(angles.tau1) : firstKe.y - r * std::cos(angles.tau1)};

    double start, end;
    if (left) {
        start = angles.tau1 * kDegreesPerRadian - 90.0;
        end = (angles.tau1 + angles.arcAngle) * kDegreesPerRadian - 90.0;
    } else {
        start = 90.0 - (angles.tau1 + angles.arcAngle) * kDegreesPerRadian;
        end = 90.0 - angles.tau1 * kDegreesPerRadian;
    }
    run.dxf().writeArc(centre.x, centre.y, r, start, end, kLayerCentre);

    // Inside first (radius less the distance), then outside.
    LaneArcs lanes{run, centre, start, end};
    if (left) {
        lanes.write(design.leftWidth, design.leftMethod, design.leftWidening, -1.0);
        lanes.write(design.rightWidth, design.rightMethod, design.rightWidening, 1.0);
    } else {
        lanes.write(design.rightWidth, design.rightMethod, design.rightWidening, -1.0);
        lanes.write(design.leftWidth, design.leftMethod, design.leftWidening, 1.0);
    }

    const NormalLists &normals = design.normals;
    for (std::size_t k = 0; k < kIntervalCapacity && normals.arcNormals[k] != 0; ++k) {
        const double phi = normals.arcNormals[k] / design.radius + angles.tau1;
        const Point p{centre.x + r * std::sin(phi),
                      left ? centre.y - r * std::cos(phi) : centre.y + r * std::cos(phi)};
        writeNormalLine(run, p, phi);
        writeLabel(run, p, phi, normals.arcLabels[k]);
    }
}

} // namespace korvane
