#include "drawing/drawing_run.h"

#include <optional>

#include "annotation/element_table.h"
#include "drawing/linework.h"

namespace korvane {

DrawingRun::DrawingRun(const DesignRecord &design, EntityHandles &handles, DrawingBuffers &buffers)
    : design_(design), frame_(design), streams_(design.outputPath, design.tempPath, buffers),
      dxf_(streams_, handles), lanePoints_(frame_, design.radius, buffers.laneBases()) {}

int DrawingRun::draw(const char *templatePath) {
    if (!copyHeaderTemplate(streams_, templatePath, design_.scale)) return 0;
    const std::optional<Point> firstKe = writeFirstClothoid(*this);
    if (!firstKe) {
        streams_.closeAll();
        return 0;
    }
    writeArcLinework(*this, *firstKe);
    if (!writeSecondClothoid(*this)) {
        streams_.closeAll();
        return 0;
    }
    writeTangentLines(*this);
    writeElementTable(*this);
    closeDrawing(streams_);

    // An entity that could not be written leaves the drawing incomplete,
    // which must not be reported as a drawing written.
    return streams_.writeFailed() ? 0 : 1;
}

} // namespace korvane
