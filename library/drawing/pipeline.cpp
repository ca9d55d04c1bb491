// The drawing run behind save_DXF: read the design again, complete the curve,
// copy the header, draw the linework and the table, close the drawing.
#include "drawing/pipeline.h"

#include <algorithm>
#include <cstring>

#include "drawing/drawing_run.h"
#include "geometry/curve_elements.h"
#include "geometry/stationing.h"
#include "geometry/validation.h"
#include "params/message_box.h"
#include "params/parameter_file.h"

namespace korvane {

namespace {

// A path must fit the record's buffers with its terminating NUL. The paths
// are checked before any file is touched.
bool acceptablePaths(const char *outputPath, const char *paramPath, const char *templatePath,
                     const char *tempPath) {
    if (!outputPath || !paramPath || !templatePath || !tempPath) {
        showError("ファイル名が指定されていません。");
        return false;
    }
    if (std::strlen(outputPath) >= kPathCapacity || std::strlen(tempPath) >= kPathCapacity) {
        showError("パスが長すぎます。");
        return false;
    }
    return true;
}

void copyPath(char (&buffer)[kPathCapacity], const char *path) {
    const std::size_t n = std::strlen(path); // checked to fit
    std::memcpy(buffer, path, n + 1);
}

} // namespace

// The design drawn is the one just read: its angles are derived from it and it
// passes the checks of data_chekvb before any file is touched, whatever an
// earlier check left in the record. After a check of the same file this is
// the same arithmetic on the same numbers; the check has already announced an
// arc accepted within the tolerance, so only a refusal is reported here. The
// lane widths become offsets from the centre line in the record.
int saveDxf(const char *outputPath, const char *paramPath, const char *templatePath, const char *tempPath,
            DesignRecord &design, EntityHandles &handles, DrawingBuffers &buffers) {
    if (!acceptablePaths(outputPath, paramPath, templatePath, tempPath)) return 0;
    if (!readParameterFile(paramPath, design)) return 0;
    if (!checkDesign(design, ToleranceWarnings::onlyWhenRefused)) return 0;

    copyPath(design.outputPath, outputPath);
    copyPath(design.tempPath, tempPath);

    design.elements = computeElements(design, design.angles);
    design.normals = prepareNormals(design, design.elements);
    const auto right = laneOffsets(design.rightWidth);
    const auto left = laneOffsets(design.leftWidth);
    std::copy(right.begin(), right.end(), design.rightWidth);
    std::copy(left.begin(), left.end(), design.leftWidth);

    DrawingRun run(design, handles, buffers);
    return run.draw(templatePath);
}

} // namespace korvane
