#include "landxml/raw_numbers.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace korvane::landxml {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Any number from_chars reads (infinity too), with an optional "+".
std::optional<double> anyNumber(std::string_view text) {
    text = trimmed(text);
    if (text.starts_with('+')) text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || std::isnan(value)) return std::nullopt;
    return value;
}

} // namespace

std::optional<double> finiteNumber(std::string_view text) {
    const std::optional<double> value = anyNumber(text);
    if (!value || !std::isfinite(*value)) return std::nullopt;
    return value;
}

std::optional<double> radiusNumber(std::string_view text) {
    const std::optional<double> value = anyNumber(text);
    if (!value) return std::nullopt;
    if (std::isinf(*value)) return std::numeric_limits<double>::infinity();
    if (!(*value > 0)) return std::nullopt;
    return value;
}

std::optional<route::PlanePoint> pointNumbers(std::string_view text) {
    double values[3] = {0, 0, 0};
    int count = 0;
    text = trimmed(text);
    while (!text.empty()) {
        std::size_t end = 0;
        while (end < text.size() && !isBlank(text[end])) ++end;
        if (count == 3) return std::nullopt;
        const std::optional<double> value = finiteNumber(text.substr(0, end));
        if (!value) return std::nullopt;
        values[count++] = *value;
        text = trimmed(text.substr(end));
    }
    if (count < 2) return std::nullopt;
    return route::PlanePoint{values[0], values[1]};
}

} // namespace korvane::landxml
