#include "route/number_text.h"

#include <charconv>
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>

namespace korvane::route {

std::string fixedText(double value, int decimals) {
    char text[512];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    std::string out(text, result.ec == std::errc{} ? result.ptr : text);
    if (out.size() > 1 && out.front() == '-' && out.find_first_not_of("-0.") == std::string::npos) out.erase(0, 1);
    return out;
}

std::string valueText(double value, int decimals) {
    std::string text = fixedText(value, decimals);
    if (text.find('.') == std::string::npos) return text;
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text;
}

std::string exactText(double value) {
    char text[512];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    return std::string(text, result.ec == std::errc{} ? result.ptr : text);
}

std::string angleText(double radians) {
    const double tenths = std::round(std::fabs(radians) * 180 / std::numbers::pi * 36000);
    if (!std::isfinite(tenths) || tenths > 1e15) return fixedText(radians, 6) + " rad";
    const auto units = static_cast<std::int64_t>(tenths);
    char text[64];
    std::snprintf(text, sizeof text, "%s%" PRId64 "°%02" PRId64 "′%02" PRId64 ".%" PRId64 "″", radians < 0 && units > 0 ? "-" : "",
                  units / 36000, units / 600 % 60, units / 10 % 60, units % 10);
    return text;
}

} // namespace korvane::route
