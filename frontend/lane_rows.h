// The lane rows of one side: how many the form has, and which of them are in
// use, judged from the texts of their width boxes.
#pragma once

#include <QString>
#include <array>

namespace rovena {

constexpr int kLaneRows = 11;

// Number of rows in use: the scan over the widths stops at the first text
// that is empty or begins with no non-zero number.
int laneCount(const std::array<QString, kLaneRows> &widths);

} // namespace rovena
