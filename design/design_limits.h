// The numbers that bound one design, named once: the rows the form offers,
// what the library's design record holds, and the end mark of the interval
// list. The form's checks and the library's record both take them from here.
#pragma once

#include <cstddef>

namespace design_model {

// Lane rows per side on the form.
inline constexpr int kLaneRows = 11;

// Width values per side that the library's record holds, the terminating 0
// included: a parameter file can describe at most 19 lane lines a side.
inline constexpr std::size_t kLaneRecordCapacity = 20;

// Normal-line intervals that the library's record holds, the end mark
// included.
inline constexpr std::size_t kIntervalRecordCapacity = 200;

// The value that ends the interval list of a parameter file ("1000."). An
// interval of this length would also place its normal line beyond the
// distance the library stations.
inline constexpr double kIntervalEndMark = 1000.0;

// π as the library turns degrees into radians (ten decimals, not the
// double π): the same arithmetic gives the same curve length to the last bit.
inline constexpr double kLibraryPi = 3.1415926536;

// The IA stays below a half turn: at 180° the two tangents are parallel and
// the curve has no intersection point.
inline constexpr double kHalfTurnDegrees = 180.0;

// Intervals a design can carry: one place of the record belongs to the end mark.
inline constexpr int kMaxIntervals = static_cast<int>(kIntervalRecordCapacity) - 1;

static_assert(kLaneRows < static_cast<int>(kLaneRecordCapacity), "the record holds every row of the form and its end");

} // namespace design_model
