#include "world/angle_text.h"

#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>

namespace korvane {

namespace {

// The angle in whole units of 1/fraction second, within one full turn.
std::int64_t angleUnits(double radians, std::int64_t fraction) {
    const std::int64_t full = 360LL * 3600 * fraction;
    std::int64_t units = std::llround(radians * 180 / std::numbers::pi * 3600 * static_cast<double>(fraction));
    units %= full;
    return units < 0 ? units + full : units;
}

} // namespace

std::string directionText(double radians) {
    const std::int64_t tenths = angleUnits(radians, 10);
    char text[64];
    std::snprintf(text, sizeof text, "%03" PRId64 "°%02" PRId64 "′%02" PRId64 ".%" PRId64 "″",
                  tenths / 36000, tenths / 600 % 60, tenths / 10 % 60, tenths % 10);
    return text;
}

std::string ddmmssText(double radians) {
    const std::int64_t units = angleUnits(radians, 10000);
    char text[64];
    std::snprintf(text, sizeof text, "%" PRId64 ".%02" PRId64 "%02" PRId64 "%04" PRId64, units / 36000000,
                  units / 600000 % 60, units / 10000 % 60, units % 10000);
    return text;
}

} // namespace korvane
