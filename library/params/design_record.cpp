#include "params/design_record.h"

namespace korvane {

DesignRecord design{};

} // namespace korvane
