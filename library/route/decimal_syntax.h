// The one rule by which a typed number is read: an optional sign, digits
// with at most one point, nothing else: no exponent, no "0x", no "inf" or
// "nan". Header-only, so that a host checking its options before it hands
// them to the library applies the same rule.
#pragma once

#include <string_view>

namespace korvane::route {

inline bool isDecimalSyntax(std::string_view text) {
    std::size_t i = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    bool digits = false, point = false;
    for (; i < text.size(); ++i) {
        if (text[i] >= '0' && text[i] <= '9') digits = true;
        else if (text[i] == '.' && !point) point = true;
        else return false;
    }
    return digits;
}

} // namespace korvane::route
