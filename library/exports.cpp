// The library's exported interface. Each export runs in the C locale and lets
// no exception cross into the host. The exports keep the library's state from
// one call to the next: the one design record, and the counter of entity
// handles and the buffers that every drawing borrows.
#include "korvane.h"

#include "drawing/pipeline.h"
#include "export_guard.h"
#include "geometry/validation.h"
#include "params/design_record.h"
#include "params/message_box.h"
#include "params/parameter_file.h"

using korvane::guardedExport;

namespace {

korvane::EntityHandles entityHandles;
korvane::DrawingBuffers drawingBuffers;

} // namespace

extern "C" {

KORVANE_API int KORVANE_CALL setteifincls(const char *path) {
    return guardedExport([&] { return korvane::clearParameterFile(path); });
}

KORVANE_API int KORVANE_CALL setteifin(const char *text, const char *path) {
    return guardedExport([&] { return korvane::appendParameterPiece(text, path); });
}

KORVANE_API int KORVANE_CALL data_chekvb(const char *path) {
    return guardedExport([&] { return korvane::checkDesignFile(path, korvane::design); });
}

KORVANE_API int KORVANE_CALL save_DXF(const char *outputPath, const char *paramPath,
                                      const char *templatePath, const char *tempPath) {
    return guardedExport([&] {
        return korvane::saveDxf(outputPath, paramPath, templatePath, tempPath, korvane::design, entityHandles,
                                drawingBuffers);
    });
}

KORVANE_API void KORVANE_CALL korvane_set_message_handler(korvane_message_handler handler) {
    korvane::setMessageHandler(handler);
}

} // extern "C"
