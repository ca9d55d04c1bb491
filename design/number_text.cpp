#include "design/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace design_model {

namespace {

constexpr int kSignificantDigits = 15;

// Digits of a value rounded to 15 significant digits, without trailing zeros,
// and the decimal exponent of the first digit.
struct Decimal {
    std::string digits;
    int exponent = 0;
};

Decimal roundedDecimal(double magnitude) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                      std::chars_format::scientific, kSignificantDigits - 1);
    const std::string text(buffer, result.ptr);
    const auto e = text.find('e');
    Decimal decimal;
    for (char c : text.substr(0, e))
        if (c != '.') decimal.digits += c;
    decimal.exponent = std::atoi(text.c_str() + e + 1);
    while (decimal.digits.size() > 1 && decimal.digits.back() == '0') decimal.digits.pop_back();
    return decimal;
}

std::string plainText(const Decimal &d) {
    const int count = static_cast<int>(d.digits.size());
    if (d.exponent < 0) return "0." + std::string(-d.exponent - 1, '0') + d.digits;
    if (count <= d.exponent + 1) return d.digits + std::string(d.exponent + 1 - count, '0');
    return d.digits.substr(0, d.exponent + 1) + "." + d.digits.substr(d.exponent + 1);
}

std::string exponentText(const Decimal &d) {
    std::string text = d.digits.substr(0, 1);
    if (d.digits.size() > 1) text += "." + d.digits.substr(1);
    char exponent[16];
    std::snprintf(exponent, sizeof exponent, "e%c%02d", d.exponent < 0 ? '-' : '+', std::abs(d.exponent));
    return text + exponent;
}

} // namespace

std::string numberText(double value) {
    if (value == 0.0) return "0";
    if (!std::isfinite(value)) return std::isnan(value) ? "nan" : value < 0 ? "-inf" : "inf";
    const Decimal decimal = roundedDecimal(std::fabs(value));
    const bool plain = decimal.exponent >= -kSignificantDigits && decimal.exponent < kSignificantDigits;
    const std::string text = plain ? plainText(decimal) : exponentText(decimal);
    return value < 0 ? "-" + text : text;
}

} // namespace design_model
