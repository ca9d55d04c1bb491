#include "lane_rows.h"

#include "leading_number.h"

namespace rovena {

int laneCount(const std::array<QString, kLaneRows> &widths) {
    for (int i = 0; i < kLaneRows; ++i)
        if (widths[i].isEmpty() || leadingNumber(widths[i]) == 0.0) return i;
    return kLaneRows;
}

} // namespace rovena
