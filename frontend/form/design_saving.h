// Saving a design so that a failed save leaves the old file as it was.
#pragma once

#include <QString>

#include "design/design_file.h"

namespace rovena {

// Writes the design file to a temporary file beside path and renames it over
// path. On failure error names the file and the reason, and path is untouched.
bool saveDesignFile(const QString &path, const design_model::DesignDocument &document, QString &error);

} // namespace rovena
