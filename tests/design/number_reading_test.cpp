// The reading of typed numbers, the writing of numbers into the parameter
// file, and the decoding of the library's cp932 texts.
#include <gtest/gtest.h>

#include <clocale>

#include "design/leading_number.h"
#include "design/number_text.h"
#include "design/text_encoding.h"

namespace {

// A locale with a decimal comma must not change how numbers are read or written.
class NumberReading : public ::testing::Test {
protected:
    void SetUp() override { std::setlocale(LC_ALL, "de_DE.UTF-8"); }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

} // namespace

TEST_F(NumberReading, LeadingNumber) {
    const struct {
        const char *text;
        double expected;
    } rows[] = {
        {"2.75", 2.75},   {"3m", 3.0},         {"abc", 0.0},    {"-1", -1.0},         {"+2", 2.0},
        {"  \t5.5", 5.5}, {"", 0.0},           {"-", 0.0},      {".5", 0.5},          {"5.", 5.0},
        {"1.5e3", 1500.0}, {"7e", 7.0},        {"25E-1x", 2.5}, {"1,5", 1.0},         {"0x10", 0.0},
        {"１２", 0.0},    {"inf", 0.0},        {"2 50", 2.0},
    };
    for (const auto &row : rows) EXPECT_EQ(design_model::leadingNumber(row.text), row.expected) << row.text;
}

TEST_F(NumberReading, NumberText) {
    const struct {
        double value;
        const char *expected;
    } rows[] = {
        {3.0, "3"},
        {2.75, "2.75"},
        {0.5, "0.5"},
        {-66.0, "-66"},
        {44.444, "44.444"},
        {100.0, "100"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3.0, "0.333333333333333"},
        {123456789012345.6, "123456789012346"},
        {0.00001, "0.00001"},
        {-0.0, "0"},
        {1e20, "1e+20"},
        {1.25e-20, "1.25e-20"},
    };
    for (const auto &row : rows) EXPECT_EQ(design_model::numberText(row.value), row.expected) << row.value;
}

TEST(Cp932, Decoding) {
    // ⊿ (NEC row 13), ｜ (full-width bar), half-width katakana, a line
    // break and a kanji, as cp932 bytes.
    const std::string bytes("\x87\x99\x81\x62\xB1\xB2\n\x83\x65\x8F\x6B", 11);
    EXPECT_EQ(design_model::cp932ToUtf8(bytes), "⊿｜ｱｲ\nテ縮");
}

TEST(Cp932, BrokenSequenceGoesOn) {
    const std::string text = design_model::cp932ToUtf8(std::string("a\x87\n" "b", 4));
    EXPECT_EQ(text.front(), 'a');
    EXPECT_EQ(text.back(), 'b');
    EXPECT_NE(text.find("\xEF\xBF\xBD"), std::string::npos);
}
