// The check of one design behind data_chekvb.
#pragma once

namespace korvane {

// Checks the design record after a read; 1 when it may be drawn.
int validateDesign();

// Reads the parameter file and validates it.
int checkDesignFile(const char *path);

} // namespace korvane
