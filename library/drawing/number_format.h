// Number text of the drawing without printf: the same characters that "%f",
// "%.0f" and "%X" give in the C locale, whatever locale the process uses.
#pragma once

#include <cstddef>
#include <cstdint>

namespace korvane {

// Room enough for any double in fixed notation with six decimals
// (309 integer digits, sign, point, decimals).
inline constexpr std::size_t kFixedNumberCapacity = 330;

// Writes value as "%f" would (six decimals, "." always, "nan", "-nan", "inf",
// "-inf", "-0.000000") into [first, last). Returns the end of the text, or
// nullptr when it does not fit.
char *formatFixed6(char *first, char *last, double value);

// Writes value as "%.0f" would (rounded to a whole number, no point).
char *formatWhole(char *first, char *last, double value);

// Writes value as "%X" would (upper-case hexadecimal, no leading zeros).
char *formatHexUpper(char *first, char *last, std::uint64_t value);

} // namespace korvane
