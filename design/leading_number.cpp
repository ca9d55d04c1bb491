#include "design/leading_number.h"

#include <charconv>
#include <cmath>

namespace design_model {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the run of ASCII digits starting at pos.
std::size_t digitRun(std::string_view text, std::size_t pos) {
    std::size_t end = pos;
    while (end < text.size() && isDigit(text[end])) ++end;
    return end - pos;
}

} // namespace

double leadingNumber(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;

    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const std::size_t start = pos;
    const std::size_t intDigits = digitRun(text, pos);
    pos += intDigits;
    std::size_t fracDigits = 0;
    if (pos < text.size() && text[pos] == '.') {
        fracDigits = digitRun(text, pos + 1);
        pos += 1 + fracDigits;
    }
    if (intDigits + fracDigits == 0) return 0.0;

    // An exponent counts only when at least one digit follows its sign.
    bool negativeExponent = false;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t exp = pos + 1;
        if (exp < text.size() && (text[exp] == '+' || text[exp] == '-')) {
            negativeExponent = text[exp] == '-';
            ++exp;
        }
        const std::size_t expDigits = digitRun(text, exp);
        if (expDigits > 0) pos = exp + expDigits;
    }

    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data() + start, text.data() + pos, value, std::chars_format::general);
    (void)end;
    if (error == std::errc::result_out_of_range) value = negativeExponent ? 0.0 : HUGE_VAL;
    return negative ? -value : value;
}

} // namespace design_model
