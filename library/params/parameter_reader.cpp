#include "params/parameter_file.h"

namespace korvane {

int readParameterFile(const char *) { return 0; }

} // namespace korvane
