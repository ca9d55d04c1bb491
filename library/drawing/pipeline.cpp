#include "drawing/pipeline.h"

namespace korvane {

int saveDxf(const char *, const char *, const char *, const char *) { return 0; }

} // namespace korvane
