// The two tangents: from the first KA and from the second KA to IP.
#include "drawing/linework.h"

namespace korvane {

void writeTangentLines(DrawingRun &run) {
    const DrawingFrame &frame = run.frame();
    const double ipX = run.design().elements.tangent1 * 1000.0;
    run.dxf().writeLine(0.0, frame.baseY(), ipX, frame.baseY());
    const Point ka2 = frame.secondKa();
    run.dxf().writeLine(ka2.x, ka2.y, ipX, frame.baseY());
}

} // namespace korvane
