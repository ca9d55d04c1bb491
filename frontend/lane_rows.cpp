#include "lane_rows.h"

#include "form_validation.h"
#include "leading_number.h"

namespace rovena {

int laneCount(const std::array<QString, kLaneRows> &widths) {
    for (int i = 0; i < kLaneRows; ++i) {
        const QString width = asciiForm(widths[i]);
        if (width.isEmpty() || leadingNumber(width) == 0.0) return i;
    }
    return kLaneRows;
}

} // namespace rovena
