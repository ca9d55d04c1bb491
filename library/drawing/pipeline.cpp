// The drawing run behind save_DXF: read the design again, complete the curve,
// copy the header, draw the linework and the table, close the drawing.
#include "drawing/pipeline.h"

#include <cstring>

#include "annotation/element_table.h"
#include "drawing/dxf_writer.h"
#include "drawing/linework.h"
#include "geometry/curve_elements.h"
#include "geometry/stationing.h"
#include "geometry/validation.h"
#include "params/design_record.h"
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

// Ends a run that stopped at a failure already shown: no stream stays open.
int stopRun() {
    closeAllStreams();
    return 0;
}

} // namespace

// The design drawn is the one just read: its angles are derived from it and it
// passes the checks of data_chekvb before any file is touched, whatever an
// earlier check left in the record. After a check of the same file this is
// the same arithmetic on the same numbers; the check has already announced an
// arc accepted within the tolerance, so only a refusal is reported here.
int saveDxf(const char *outputPath, const char *paramPath, const char *templatePath,
            const char *tempPath) {
    if (!acceptablePaths(outputPath, paramPath, templatePath, tempPath)) return 0;
    if (!readParameterFile(paramPath)) return 0;
    if (!validateDesign(ToleranceWarnings::onlyWhenRefused)) return 0;

    copyPath(design.outputPath, outputPath);
    copyPath(design.tempPath, tempPath);
    resetWriteFailures();

    prepareNormals();
    accumulateLaneOffsets();
    computeElements();

    if (!copyHeaderTemplate(templatePath)) return stopRun();
    if (!writeFirstClothoid()) return stopRun();
    writeArcLinework();
    if (!writeSecondClothoid()) return stopRun();
    writeTangentLines();
    writeElementTable();
    closeDrawing();

    // An entity that could not be written leaves the drawing incomplete,
    // which must not be reported as a drawing written.
    return outputWriteFailed() ? 0 : 1;
}

} // namespace korvane
