// The route's calculation sheet as the library computes it: the route
// handed to the library's report export as JSON, written into a temporary
// folder of its own and read back as a document.
#pragma once

#include <QString>

#include <optional>

#include "calculation_sheet_document.h"

namespace rovena {
class LibraryBinding;
}

namespace rovena::route {

// The sheet of the route file or IP table at routePath. None when the library refused the route (its messages have gone to the
// binding's dialogs; error is then empty) or its answer could not be read
// (error says why).
std::optional<CalculationSheetDocument> computeCalculationSheet(LibraryBinding &library, const QString &routePath,
                                                                QString *error);

}  // namespace rovena::route
