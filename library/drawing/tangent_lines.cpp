// The two tangents: from the first KA and from the second KA to IP.
#include "drawing/curve_points.h"
#include "drawing/drawing_frame.h"
#include "drawing/dxf_writer.h"
#include "drawing/linework.h"

namespace korvane {

void writeTangentLines() {
    const double ipX = design.tangent1 * 1000.0;
    writeLine(0.0, baseY(), ipX, baseY());
    const Point ka2 = secondKaPoint();
    writeLine(ka2.x, ka2.y, ipX, baseY());
}

} // namespace korvane
