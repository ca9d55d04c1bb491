// The "%f" text of formatFixed6 where its exact fixed-point path is hardest:
// exact ties at the seventh decimal, the limit 2^43 of that path, negative
// values that round to zero, carries into the whole part, and a buffer that
// is too small.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "drawing/number_format.h"
#include "params/c_locale.h"

namespace {

std::string fixed6(double value) {
    char text[korvane::kFixedNumberCapacity];
    char *end = korvane::formatFixed6(text, text + sizeof text, value);
    return end ? std::string(text, end) : std::string("<does not fit>");
}

std::string printfFixed(double value) {
    char text[400];
    std::snprintf(text, sizeof text, "%f", value);
    return text;
}

std::string exact(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

constexpr double kTwo43 = 8796093022208.0;

} // namespace

TEST(NumberFormat, ExactTiesRoundHalfToEven) {
    // A value halfway between two millionths is an odd multiple of 1/128
    // (k/10^6 + 5/10^7 is a binary fraction only then); the even neighbour wins.
    EXPECT_EQ(fixed6(1.0 / 128), "0.007812");   // 0.0078125
    EXPECT_EQ(fixed6(3.0 / 128), "0.023438");   // 0.0234375
    EXPECT_EQ(fixed6(5.0 / 128), "0.039062");   // 0.0390625
    EXPECT_EQ(fixed6(7.0 / 128), "0.054688");   // 0.0546875
    EXPECT_EQ(fixed6(-1.0 / 128), "-0.007812");
    EXPECT_EQ(fixed6(1000.0 + 1.0 / 128), "1000.007812");
    EXPECT_EQ(fixed6(kTwo43 - 1 + 1.0 / 128), "8796093022207.007812");
    EXPECT_EQ(fixed6(kTwo43 - 1 + 3.0 / 128), "8796093022207.023438");
    // One ulp beside a tie is no tie.
    EXPECT_EQ(fixed6(std::nextafter(1.0 / 128, 1.0)), "0.007813");
    EXPECT_EQ(fixed6(std::nextafter(3.0 / 128, 0.0)), "0.023437");
}

TEST(NumberFormat, EitherSideOfTwoToThe43) {
    EXPECT_EQ(fixed6(std::nextafter(kTwo43, 0.0)), "8796093022207.999023"); // 2^43 - 2^-10
    EXPECT_EQ(fixed6(kTwo43), "8796093022208.000000");
    EXPECT_EQ(fixed6(kTwo43 + 1.0 / 512), "8796093022208.001953");
    EXPECT_EQ(fixed6(-kTwo43), "-8796093022208.000000");
    EXPECT_EQ(fixed6(-std::nextafter(kTwo43, 0.0)), "-8796093022207.999023");
}

TEST(NumberFormat, NegativesThatRoundToZeroKeepTheirSign) {
    EXPECT_EQ(fixed6(-1e-7), "-0.000000");
    EXPECT_EQ(fixed6(-4e-7), "-0.000000");
    EXPECT_EQ(fixed6(-5e-7), "-0.000000"); // the double lies just below 5e-7
    EXPECT_EQ(fixed6(-6e-7), "-0.000001");
    EXPECT_EQ(fixed6(-std::numeric_limits<double>::denorm_min()), "-0.000000");
    EXPECT_EQ(fixed6(-0.0), "-0.000000");
    EXPECT_EQ(fixed6(std::numeric_limits<double>::denorm_min()), "0.000000");
    EXPECT_EQ(fixed6(std::numeric_limits<double>::min()), "0.000000");
}

TEST(NumberFormat, RoundingCarriesIntoTheWholePart) {
    EXPECT_EQ(fixed6(0.99999951), "1.000000");
    EXPECT_EQ(fixed6(9.99999999), "10.000000");
    EXPECT_EQ(fixed6(999999.9999996), "1000000.000000");
    EXPECT_EQ(fixed6(-99.9999999), "-100.000000");
    EXPECT_EQ(fixed6(123456.789012), "123456.789012");
    EXPECT_EQ(fixed6(74250.0), "74250.000000");
}

TEST(NumberFormat, TextThatDoesNotFitIsRefused) {
    char text[12];
    std::memset(text, '#', sizeof text);
    char *end = korvane::formatFixed6(text, text + 8, 1.5);
    ASSERT_NE(end, nullptr);
    EXPECT_EQ(std::string(text, end), "1.500000");
    EXPECT_EQ(korvane::formatFixed6(text, text + 7, 1.5), nullptr);
    std::memset(text, '#', sizeof text);
    EXPECT_EQ(korvane::formatFixed6(text, text + 4, -123456.25), nullptr);
    EXPECT_EQ(std::string(text + 4, text + sizeof text), std::string(8, '#'));
}

TEST(NumberFormat, BinaryFractionsAndValuesAroundTheLimitMatchPrintf) {
    korvane::CLocaleScope cLocale;
    std::mt19937_64 random(43);
    int mismatches = 0;
    auto check = [&](double value) {
        if (fixed6(value) != printfFixed(value) && ++mismatches <= 5)
            ADD_FAILURE() << exact(value) << ": " << fixed6(value) << " vs " << printfFixed(value);
    };
    for (int i = 0; i < 300000; ++i) {
        // m·2^-n: every kind of exact tie and near-tie, both signs.
        const double m = static_cast<double>(random() >> 11);
        const int n = 1 + static_cast<int>(random() % 80);
        const double v = std::ldexp(m, -n);
        check(i % 2 ? v : -v);
        // Magnitudes from 2^42 to 2^44, on both sides of the exact path's limit.
        const double big = std::ldexp(1.0 + static_cast<double>(random() >> 11) * 0x1p-53,
                                      42 + static_cast<int>(random() % 2));
        check(i % 2 ? big : -big);
    }
    EXPECT_EQ(mismatches, 0);
}
