#include "drawing/number_format.h"

#include <charconv>
#include <system_error>

namespace korvane {

namespace {

char *formatWithPrecision(char *first, char *last, double value, int precision) {
    // std::to_chars with an explicit precision converts as printf does in the
    // C locale: correctly rounded, "." as the decimal point, and the same
    // spellings of infinities and NaNs (with their sign).
    std::to_chars_result result =
        std::to_chars(first, last, value, std::chars_format::fixed, precision);
    return result.ec == std::errc() ? result.ptr : nullptr;
}

} // namespace

char *formatFixed6(char *first, char *last, double value) {
    return formatWithPrecision(first, last, value, 6);
}

char *formatWhole(char *first, char *last, double value) {
    return formatWithPrecision(first, last, value, 0);
}

char *formatHexUpper(char *first, char *last, std::uint64_t value) {
    constexpr char digits[] = "0123456789ABCDEF";
    char reversed[16];
    int count = 0;
    do {
        reversed[count++] = digits[value & 0xF];
        value >>= 4;
    } while (value != 0);
    if (last - first < count) return nullptr;
    while (count > 0) *first++ = reversed[--count];
    return first;
}

} // namespace korvane
