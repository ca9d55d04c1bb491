// The number of lane rows on each side of the form.
#pragma once

namespace rovena {

constexpr int kLaneRows = 11;

} // namespace rovena
