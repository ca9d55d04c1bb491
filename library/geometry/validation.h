// The check of one design behind data_chekvb, made again by save_DXF on the
// design it reads.
#pragma once

namespace korvane {

// Whether an arc accepted within the tolerance is announced with its two
// warnings: by the check itself, but not again by the drawing run that
// follows it.
enum class ToleranceWarnings { shown, onlyWhenRefused };

// Derives the angles and checks the design record after a read; 1 when it may
// be drawn. A refused design has had its message shown.
int validateDesign(ToleranceWarnings warnings = ToleranceWarnings::shown);

// Reads the parameter file and validates it.
int checkDesignFile(const char *path);

} // namespace korvane
