// The drawing run behind save_DXF.
#pragma once

#include "drawing/drawing_buffers.h"
#include "drawing/dxf_writer.h"
#include "params/design_record.h"

namespace korvane {

// Reads the parameter file into the record, checks it, completes the curve
// and draws it with the handles of the counter, in the buffers. 1 when the
// drawing was written whole; 0 after a failure that has been shown.
int saveDxf(const char *outputPath, const char *paramPath, const char *templatePath, const char *tempPath,
            DesignRecord &design, EntityHandles &handles, DrawingBuffers &buffers);

} // namespace korvane
