#include "drawing/number_format.h"

#include <bit>
#include <charconv>
#include <cstring>
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

#ifdef __SIZEOF_INT128__

__extension__ typedef unsigned __int128 Uint128;

// The pairs "00" to "99", for writing two digits at a time.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Values below 2^43 in magnitude are formatted by the exact fixed-point path:
// their millionths stay below 2^63.
constexpr int kFastExponentLimit = 1023 + 43;

// Writes "%f" of a finite value with |value| < 2^43 into text (room for 24
// bytes) and returns the end. The value is m·2^e exactly (m the 53-bit
// significand); m·10^6 fits in 128 bits, and shifting it right by -e with the
// remainder rounded half to even gives the millionths exactly as printf
// rounds the exact binary value (a tie is only an exact tie).
char *fixed6Exact(char *text, std::uint64_t bits) {
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    const std::uint64_t significand = biased == 0 ? fraction : fraction | (std::uint64_t{1} << 52);
    const int exponent = (biased == 0 ? 1 : biased) - 1075;

    // exponent <= -10 here (|value| < 2^43 with a 53-bit significand), so
    // the shift is at least 10.
    const int shift = -exponent;
    std::uint64_t millionths = 0;
    if (shift < 75) { // otherwise scaled < 2^73 is less than half a millionth
        const Uint128 scaled = static_cast<Uint128>(significand) * 1000000u;
        const Uint128 one = 1;
        const Uint128 remainder = scaled & ((one << shift) - 1);
        const Uint128 half = one << (shift - 1);
        millionths = static_cast<std::uint64_t>(scaled >> shift);
        if (remainder > half || (remainder == half && (millionths & 1) != 0)) ++millionths;
    }

    // printf keeps the sign of a negative value that rounds to zero.
    char *p = text;
    if (bits >> 63) *p++ = '-';

    std::uint64_t whole = millionths / 1000000u;
    auto decimals = static_cast<std::uint32_t>(millionths % 1000000u);

    char digits[16];
    char *end = digits + sizeof digits;
    char *start = end;
    while (whole >= 100) {
        const auto pair = static_cast<std::size_t>(whole % 100) * 2;
        whole /= 100;
        start -= 2;
        std::memcpy(start, kDigitPairs + pair, 2);
    }
    if (whole >= 10) {
        start -= 2;
        std::memcpy(start, kDigitPairs + whole * 2, 2);
    } else {
        *--start = static_cast<char>('0' + whole);
    }
    const auto wholeDigits = static_cast<std::size_t>(end - start);
    std::memcpy(p, start, wholeDigits);
    p += wholeDigits;

    *p++ = '.';
    const std::uint32_t high = decimals / 10000u;
    decimals %= 10000u;
    std::memcpy(p, kDigitPairs + high * 2, 2);
    std::memcpy(p + 2, kDigitPairs + (decimals / 100u) * 2, 2);
    std::memcpy(p + 4, kDigitPairs + (decimals % 100u) * 2, 2);
    return p + 6;
}

#endif

} // namespace

char *formatFixed6(char *first, char *last, double value) {
#ifdef __SIZEOF_INT128__
    const auto bits = std::bit_cast<std::uint64_t>(value);
    if (static_cast<int>((bits >> 52) & 0x7FF) < kFastExponentLimit) {
        // The text has at most 22 bytes: "-", 14 digits, ".", 6 decimals.
        if (last - first >= 24) return fixed6Exact(first, bits);
        char text[24];
        char *end = fixed6Exact(text, bits);
        const auto size = end - text;
        if (last - first < size) return nullptr;
        std::memcpy(first, text, static_cast<std::size_t>(size));
        return first + size;
    }
#endif
    // Larger values, infinities and NaNs; and every value where the compiler
    // has no 128-bit integers.
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
