// korvane-format-check: proof by numbers that the library's number formatter
// writes exactly what snprintf writes in the C locale: "%f" on (by default)
// 100 million values of the drawing's magnitudes and of every other kind a
// double can take, "%.0f" and "%X" on a tenth as many. Prints the mismatches
// (there must be none) and the time each side took.
#include <algorithm>
#include <chrono>
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "drawing/number_format.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kChunk = 1 << 16;
constexpr std::size_t kSlot = korvane::kFixedNumberCapacity;
constexpr int kExamples = 10;

struct Tally {
    std::uint64_t checked = 0;
    std::uint64_t mismatches = 0;
    int examplesShown = 0;
};

double seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

void reportMismatch(Tally &tally, const char *format, const char *valueText, const char *expected,
                    const char *got) {
    ++tally.mismatches;
    if (tally.examplesShown++ < kExamples)
        std::printf("  MISMATCH %s of %s: snprintf \"%s\", formatter \"%s\"\n", format, valueText,
                    expected, got ? got : "(did not fit)");
}

// One value of the kinds that can reach the drawing's numbers, and of the
// kinds whose rounding is hardest.
class ValueSource {
public:
    explicit ValueSource(std::uint64_t seed) : rng_(seed) {}

    double next() {
        const unsigned kind = static_cast<unsigned>(rng_() % 100);
        if (kind < 40) return uniform(-1e8, 1e8); // drawing coordinates in millimetres
        if (kind < 55) return nearSixthDecimal();
        if (kind < 70) return scaled();
        if (kind < 85) return dyadic();
        if (kind < 95) return nearInteger();
        if (kind < 99) return uniform(-1e3, 1e3);
        return anyBits();
    }

    std::uint64_t bits() { return rng_(); }

private:
    double uniform(double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(rng_);
    }
    // Values on, beside and halfway between the six-decimal grid, a few ulps
    // either way: where a formatter that rounds twice goes wrong.
    double nearSixthDecimal() {
        const double grid = std::round(uniform(-1e9, 1e9)) / 1e6;
        double v = (rng_() & 1) ? grid : grid + 0.5e-6;
        const int ulps = static_cast<int>(rng_() % 7) - 3;
        for (int i = 0; i < std::abs(ulps); ++i)
            v = std::nextafter(v, ulps > 0 ? std::numeric_limits<double>::infinity()
                                           : -std::numeric_limits<double>::infinity());
        return v;
    }
    // A mantissa times a power of ten from 1e-15 to 1e22.
    double scaled() {
        const int exponent = static_cast<int>(rng_() % 38) - 15;
        const double v = uniform(1, 10) * std::pow(10.0, exponent);
        return (rng_() & 1) ? v : -v;
    }
    // Exact binary fractions, among them exact ties at the seventh decimal.
    double dyadic() {
        const std::int64_t whole = static_cast<std::int64_t>(rng_() >> 23) - (std::int64_t{1} << 40);
        return std::ldexp(static_cast<double>(whole), -static_cast<int>(1 + rng_() % 40));
    }
    double nearInteger() {
        const double whole = std::round(uniform(-1e15, 1e15));
        const unsigned choice = static_cast<unsigned>(rng_() % 4);
        if (choice == 0) return whole;
        if (choice == 1) return whole + 0.5;
        return std::nextafter(whole, choice == 2 ? 1e300 : -1e300);
    }
    // Any bit pattern: huge and subnormal values, infinities, NaNs.
    double anyBits() {
        const std::uint64_t raw = rng_();
        double v;
        std::memcpy(&v, &raw, sizeof v);
        return v;
    }

    std::mt19937_64 rng_;
};

const std::vector<double> &specialValues() {
    static const std::vector<double> values = {
        0.0, -0.0, 1.0, -1.0, 0.5, 1.5, 2.5, 0.5e-6, 1.5e-6, 2.5e-6, -0.5e-6, 0.0000004999999,
        0.0000005000001, 999999.9999995, 0.9999995, 9.9999995, 1e-7, -1e-7, 0.1, 0.2, 0.3,
        123456.789012, 210250.0, 148500.0, 74250.0, 1e15, 1e16, 1e17, 1e22, 1e23, 9007199254740993.0,
        std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(),
        std::numeric_limits<double>::min(), std::numeric_limits<double>::denorm_min(),
        std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::quiet_NaN()};
    return values;
}

struct Timing {
    double formatter = 0;
    double snprintf = 0;
};

// Formats the values with both sides, timing each side over the whole chunk,
// and compares the texts.
void checkFixed(const std::vector<double> &values, std::vector<char> &ours,
                std::vector<char> &theirs, std::vector<std::uint32_t> &ourEnds, Tally &tally,
                Timing &timing) {
    const std::size_t n = values.size();
    char *const ourBase = ours.data();
    Clock::time_point start = Clock::now();
    char *p = ourBase;
    for (std::size_t i = 0; i < n; ++i) {
        char *end = korvane::formatFixed6(p, p + kSlot, values[i]);
        ourEnds[i] = end ? static_cast<std::uint32_t>(end - ourBase) : UINT32_MAX;
        p = end ? end : p;
    }
    timing.formatter += seconds(Clock::now() - start);

    start = Clock::now();
    char *q = theirs.data();
    for (std::size_t i = 0; i < n; ++i) {
        const int written = std::snprintf(q, kSlot, "%f", values[i]);
        q += written > 0 ? written + 1 : 1; // keep the NUL as separator
    }
    timing.snprintf += seconds(Clock::now() - start);

    const char *expected = theirs.data();
    std::size_t ourStart = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t expectedLength = std::strlen(expected);
        ++tally.checked;
        if (ourEnds[i] == UINT32_MAX) {
            char valueText[64];
            std::snprintf(valueText, sizeof valueText, "%a", values[i]);
            reportMismatch(tally, "%f", valueText, expected, nullptr);
        } else {
            const std::size_t ourLength = ourEnds[i] - ourStart;
            if (ourLength != expectedLength ||
                std::memcmp(ourBase + ourStart, expected, expectedLength) != 0) {
                char valueText[64];
                std::snprintf(valueText, sizeof valueText, "%a", values[i]);
                const std::string got(ourBase + ourStart, ourLength);
                reportMismatch(tally, "%f", valueText, expected, got.c_str());
            }
            ourStart = ourEnds[i];
        }
        expected += expectedLength + 1;
    }
}

void checkWhole(double value, Tally &tally) {
    char expected[kSlot + 8], got[kSlot + 8];
    std::snprintf(expected, sizeof expected, "%.0f", value);
    char *end = korvane::formatWhole(got, got + kSlot, value);
    ++tally.checked;
    if (end) *end = '\0';
    if (!end || std::strcmp(expected, got) != 0) {
        char valueText[64];
        std::snprintf(valueText, sizeof valueText, "%a", value);
        reportMismatch(tally, "%.0f", valueText, expected, end ? got : nullptr);
    }
}

void checkHex(std::uint64_t value, Tally &tally) {
    char expected[32], got[32];
    std::snprintf(expected, sizeof expected, "%" PRIX64, value);
    char *end = korvane::formatHexUpper(got, got + 20, value);
    ++tally.checked;
    if (end) *end = '\0';
    if (!end || std::strcmp(expected, got) != 0) {
        char valueText[32];
        std::snprintf(valueText, sizeof valueText, "%" PRIu64, value);
        reportMismatch(tally, "%X", valueText, expected, end ? got : nullptr);
    }
}

bool parseCount(const char *text, std::uint64_t &value) {
    char *end = nullptr;
    const double parsed = std::strtod(text, &end); // accepts 1e8
    if (end == text || *end != '\0' || !(parsed >= 1) || parsed > 1e12) return false;
    value = static_cast<std::uint64_t>(parsed);
    return true;
}

} // namespace

int main(int argc, char **argv) {
    std::uint64_t count = 100000000;
    std::uint64_t seed = 20261207;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "-n" || arg == "--count") && i + 1 < argc && parseCount(argv[i + 1], count)) {
            ++i;
        } else if (arg == "--seed" && i + 1 < argc) {
            seed = std::strtoull(argv[++i], nullptr, 10);
        } else {
            std::printf("usage: korvane-format-check [-n COUNT] [--seed N]\n"
                        "  compares the library's \"%%f\" formatter with snprintf on COUNT values\n"
                        "  (default 100000000), \"%%.0f\" and \"%%X\" on a tenth as many\n");
            return arg == "-h" || arg == "--help" ? 0 : 2;
        }
    }

    const Clock::time_point begin = Clock::now();
    ValueSource source(seed);
    std::vector<double> values;
    values.reserve(kChunk);
    std::vector<char> ours(kChunk * kSlot), theirs(kChunk * (kSlot + 1));
    std::vector<std::uint32_t> ourEnds(kChunk);
    Tally fixed, whole, hex;
    Timing timing;

    values = specialValues();
    checkFixed(values, ours, theirs, ourEnds, fixed, timing);
    for (double v : values) checkWhole(v, whole);

    std::uint64_t remaining = count > values.size() ? count - values.size() : 0;
    std::uint64_t done = values.size();
    while (remaining > 0) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(remaining, kChunk));
        values.resize(n);
        for (std::size_t i = 0; i < n; ++i) values[i] = source.next();
        checkFixed(values, ours, theirs, ourEnds, fixed, timing);
        for (std::size_t i = 0; i < n; i += 10) {
            checkWhole(values[i], whole);
            checkHex(source.bits() >> (source.bits() % 64), hex);
        }
        remaining -= n;
        done += n;
        if (done % (kChunk * 256) < kChunk)
            std::fprintf(stderr, "  %llu values...\r", static_cast<unsigned long long>(done));
    }
    const double total = seconds(Clock::now() - begin);

    std::printf("korvane-format-check: seed %llu\n", static_cast<unsigned long long>(seed));
    std::printf("  \"%%f\"   %12llu values, %llu mismatches\n",
                static_cast<unsigned long long>(fixed.checked),
                static_cast<unsigned long long>(fixed.mismatches));
    std::printf("  \"%%.0f\" %12llu values, %llu mismatches\n",
                static_cast<unsigned long long>(whole.checked),
                static_cast<unsigned long long>(whole.mismatches));
    std::printf("  \"%%X\"   %12llu values, %llu mismatches\n",
                static_cast<unsigned long long>(hex.checked),
                static_cast<unsigned long long>(hex.mismatches));
    const double n = static_cast<double>(fixed.checked);
    std::printf("  \"%%f\" time: formatter %.2f s (%.1f ns/value), snprintf %.2f s (%.1f ns/value)\n",
                timing.formatter, timing.formatter / n * 1e9, timing.snprintf,
                timing.snprintf / n * 1e9);
    std::printf("  total %.1f s\n", total);
    return fixed.mismatches + whole.mismatches + hex.mismatches == 0 ? 0 : 1;
}
