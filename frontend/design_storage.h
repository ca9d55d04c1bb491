// Design files on disk: opening a design file or a bare parameter file, and
// saving a design so that a failed save leaves the old file as it was.
#pragma once

#include <QString>

#include "design_file.h"

namespace rovena {

enum class DesignSource { DesignFile, ParameterFile };

// Reads path, telling a design file from a bare parameter file by its
// content. On failure error names the file and the reason.
bool loadDesign(const QString &path, DesignDocument &document, DesignSource &source, QString &error);

// Writes the design to a temporary file beside path and renames it over
// path. On failure error names the file and the reason, and path is
// untouched.
bool saveDesign(const QString &path, const DesignDocument &document, QString &error);

} // namespace rovena
