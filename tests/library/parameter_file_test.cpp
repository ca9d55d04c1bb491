// The parameter file ALN_TXT_.DAT: written piece by piece through the exports,
// read back into the design record, and the reader's failures.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "korvane.h"
#include "params/c_locale.h"
#include "params/design_record.h"
#include "params/parameter_file.h"
#include "params/parameter_tokens.h"
#include "test_support.h"

using testing_support::MessageRecorder;
using testing_support::TempDir;
using testing_support::kSampleParameterText;
using testing_support::readFile;
using testing_support::writeFile;

namespace {

// The record the tests read into.
korvane::DesignRecord design{};

const std::string kCannotWrite = "ファイル書き込みできません";
const std::string kCannotOpen = "Can't open ALN_TXT_.DAT (設定ﾌｧｲﾙ)file";
const std::string kReadError = "fscanfｴﾗｰ ALN_TXT_.DAT file";

// The 22 lines of the sample design (without their line ends).
std::vector<std::string> sampleLines() {
    std::vector<std::string> lines;
    std::string line;
    for (char c : kSampleParameterText) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    return lines;
}

std::string joinLines(const std::vector<std::string> &lines, const char *end = "\n") {
    std::string text;
    for (const auto &line : lines) text += line + end;
    return text;
}

// Lines 1 to count of the sample.
std::string sampleUpToLine(std::size_t count) {
    auto lines = sampleLines();
    lines.resize(count);
    return joinLines(lines);
}

std::string repeated(const std::string &token, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += token + " ";
    return text;
}

int readInCLocale(const std::string &path) {
    korvane::CLocaleScope cLocale;
    return korvane::readParameterFile(path.c_str(), design);
}

// Fills every member the reader may touch with values no file gives, so that
// a test sees which members a read assigned.
void fillWithMarkers() {
    design.scale = design.a1 = design.a2 = design.radius = -7;
    design.iaDegrees = design.iaMinutes = design.iaSeconds = -7;
    std::strcpy(design.outputPath, "old");
    std::strcpy(design.outputExtension, "old");
    for (double *a : {design.rightWidth, design.rightMethod, design.rightWidening, design.leftWidth,
                      design.leftMethod, design.leftWidening})
        for (std::size_t i = 0; i < korvane::kLaneCapacity; ++i) a[i] = -7;
    design.centerPitch = design.stationPitch = design.kaStationNo = design.kaStationPlus = -7;
    std::strcpy(design.stationDirection, "old");
    for (double &interval : design.normalIntervals) interval = -7;
    std::strcpy(design.lineStyle1Name, "old");
    std::strcpy(design.lineStyle2Name, "old");
    std::strcpy(design.lineStyle3Name, "old");
    design.lineStyle1Number = design.lineStyle2Number = design.lineStyle3Number = -7;
    design.angles.iaRadians = -7;
    design.elements.length1 = -7;
    design.normals.clothoid1Normals[0] = -7;
}

// The reader assigns no derived member.
void expectDerivedMembersUntouched() {
    EXPECT_EQ(design.angles.iaRadians, -7.0);
    EXPECT_EQ(design.elements.length1, -7.0);
    EXPECT_EQ(design.normals.clothoid1Normals[0], -7.0);
}

// Every member of the sample design as the layout defines it.
void expectSampleDesign() {
    EXPECT_EQ(design.scale, 250.0);
    EXPECT_STREQ(design.outputPath, "DXF");
    EXPECT_STREQ(design.outputExtension, "dxf");
    EXPECT_EQ(design.a1, 40.0);
    EXPECT_EQ(design.a2, 35.0);
    EXPECT_EQ(design.radius, 40.0);
    EXPECT_EQ(design.iaDegrees, 66.0);
    EXPECT_EQ(design.iaMinutes, 55.0);
    EXPECT_EQ(design.iaSeconds, 44.444);
    EXPECT_EQ(design.rightWidth[0], 2.75);
    EXPECT_EQ(design.rightWidth[1], 1.0);
    EXPECT_EQ(design.rightWidth[2], 0.0);
    EXPECT_EQ(design.rightMethod[0], 1.0);
    EXPECT_EQ(design.rightMethod[1], 1.0);
    EXPECT_EQ(design.rightWidening[0], 0.5);
    EXPECT_EQ(design.rightWidening[1], 0.5);
    EXPECT_EQ(design.leftWidth[0], 2.75);
    EXPECT_EQ(design.leftWidth[1], 0.5);
    EXPECT_EQ(design.leftWidth[2], 0.0);
    EXPECT_EQ(design.leftMethod[0], 1.0);
    EXPECT_EQ(design.leftMethod[1], 1.0);
    EXPECT_EQ(design.leftWidening[0], 0.5);
    EXPECT_EQ(design.leftWidening[1], 0.5);
    EXPECT_EQ(design.centerPitch, 0.1);
    EXPECT_STREQ(design.stationDirection, "L");
    EXPECT_EQ(design.stationPitch, 20.0);
    EXPECT_EQ(design.kaStationNo, 10.0);
    EXPECT_EQ(design.kaStationPlus, 10.111);
    EXPECT_DOUBLE_EQ(design.kaStationNo * design.stationPitch + design.kaStationPlus, 210.111);
    const double intervals[] = {9.889, 20, 20, 20, 1000};
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(design.normalIntervals[i], intervals[i]) << i;
    for (std::size_t i = 5; i < korvane::kIntervalCapacity; ++i)
        ASSERT_EQ(design.normalIntervals[i], 0.0) << i;
    EXPECT_STREQ(design.lineStyle1Name, "CENTER2");
    EXPECT_EQ(design.lineStyle1Number, 1);
    EXPECT_STREQ(design.lineStyle2Name, "DOT");
    EXPECT_EQ(design.lineStyle2Number, 1);
    EXPECT_STREQ(design.lineStyle3Name, "CONTINUOUS");
    EXPECT_EQ(design.lineStyle3Number, 1);
}

class ParameterFile : public testing::Test {
protected:
    TempDir dir;
    MessageRecorder messages;
    std::string path = dir.file("ALN_TXT_.DAT");

    // Reads text as the parameter file, starting from the marker values.
    int readText(const std::string &text) {
        writeFile(path, text);
        fillWithMarkers();
        return readInCLocale(path);
    }
    void expectOnly(const std::string &message) {
        EXPECT_EQ(messages.utf8(), std::vector<std::string>{message});
    }
    void expectNoMessage() { EXPECT_TRUE(messages.cp932().empty()); }
};

// --- writing ----------------------------------------------------------------

TEST_F(ParameterFile, SampleWrittenPieceByPieceGivesTheLayoutAndReadsBack) {
    // The pieces the front end sends for the sample: one per line, two for the
    // interval line, each line followed by the line-break token.
    const std::vector<std::vector<std::string>> pieces = {
        {"250"}, {"DXF dxf"}, {"40"}, {"35"}, {"40"}, {"66 55 44.444"}, {"2.75 1 0.0"}, {"1 1 "},
        {"0.5 0.5 "}, {"2.75 0.5 0.0"}, {"1 1 "}, {"0.5 0.5 "}, {"0.1"}, {"L"}, {"20"}, {"10"},
        {"10.111"}, {"9.889 20 20 20", " 1000."}, {"CENTER2 1"}, {"DOT 1"}, {"CONTINUOUS 1"}, {"E"}};
    writeFile(path, "left over from an earlier design\n");
    ASSERT_EQ(setteifincls(path.c_str()), 1);
    EXPECT_EQ(readFile(path), "");
    int calls = 0;
    for (const auto &line : pieces) {
        for (const auto &piece : line) {
            EXPECT_EQ(setteifin(piece.c_str(), path.c_str()), 1);
            ++calls;
        }
        EXPECT_EQ(setteifin("?", path.c_str()), 1);
        ++calls;
    }
    EXPECT_EQ(calls, 45);
    EXPECT_EQ(readFile(path), kSampleParameterText);

    fillWithMarkers();
    EXPECT_EQ(readInCLocale(path), 1);
    expectSampleDesign();
    expectDerivedMembersUntouched();
    expectNoMessage();
}

TEST_F(ParameterFile, LineBreakTokenAndEmptyPiece) {
    ASSERT_EQ(setteifincls(path.c_str()), 1);
    EXPECT_EQ(setteifin("abc", path.c_str()), 1);
    EXPECT_EQ(setteifin("?5", path.c_str()), 1);
    EXPECT_EQ(readFile(path), "abc\n");
    EXPECT_EQ(setteifin("", path.c_str()), 1);
    EXPECT_EQ(readFile(path), "abc\n");
    EXPECT_EQ(setteifin("x?y", path.c_str()), 1); // only a leading "?" is the token
    EXPECT_EQ(readFile(path), "abc\nx?y");
    expectNoMessage();
}

TEST_F(ParameterFile, WritingIntoAMissingFolderFailsWithItsMessage) {
    const std::string missing = dir.file("no such folder/ALN_TXT_.DAT");
    EXPECT_EQ(setteifincls(missing.c_str()), 0);
    expectOnly(kCannotWrite);
    messages.clear();
    EXPECT_EQ(setteifin("250", missing.c_str()), 0);
    expectOnly(kCannotWrite);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "no such folder"));
}

TEST_F(ParameterFile, NullArgumentsAreAFailureToOpen) {
    ASSERT_EQ(setteifincls(path.c_str()), 1);
    EXPECT_EQ(setteifincls(nullptr), 0);
    EXPECT_EQ(setteifin(nullptr, path.c_str()), 0);
    EXPECT_EQ(setteifin("250", nullptr), 0);
    EXPECT_EQ(messages.utf8(), (std::vector<std::string>{kCannotWrite, kCannotWrite, kCannotWrite}));
    EXPECT_EQ(readFile(path), "");
}

// --- reading a well-formed file -----------------------------------------------

TEST_F(ParameterFile, CrLfLineEndsReadLikeLf) {
    ASSERT_EQ(readText(joinLines(sampleLines(), "\r\n")), 1);
    expectSampleDesign();
    expectNoMessage();
}

TEST_F(ParameterFile, SideWithoutLinesAndEmptyIntervalList) {
    // "0.0" and two empty lines for the right side; no intervals.
    auto lines = sampleLines();
    lines[6] = "0.0";
    lines[7] = "";
    lines[8] = "";
    lines[17] = "0.0 1000.";
    ASSERT_EQ(readText(joinLines(lines)), 1);
    EXPECT_EQ(design.rightWidth[0], 0.0);
    EXPECT_EQ(design.rightWidth[1], -7.0);
    EXPECT_EQ(design.rightMethod[0], -7.0) << "no method is read for a side without lines";
    EXPECT_EQ(design.rightWidening[0], -7.0);
    EXPECT_EQ(design.leftWidth[0], 2.75);
    EXPECT_EQ(design.leftWidth[1], 0.5);
    EXPECT_EQ(design.leftWidth[2], 0.0);
    EXPECT_EQ(design.leftMethod[1], 1.0);
    EXPECT_EQ(design.leftWidening[1], 0.5);
    EXPECT_EQ(design.leftWidening[2], -7.0);
    EXPECT_EQ(design.normalIntervals[0], 0.0);
    EXPECT_EQ(design.normalIntervals[1], 1000.0);
    EXPECT_STREQ(design.lineStyle1Name, "CENTER2");
    EXPECT_EQ(design.lineStyle3Number, 1);
    expectNoMessage();
}

TEST_F(ParameterFile, RereadRestoresMembersRewrittenByTheComputation) {
    writeFile(path, kSampleParameterText);
    ASSERT_EQ(readInCLocale(path), 1);
    // What a drawing does in between: widths become offsets, the output
    // path is put in; and intervals left over beyond the end mark.
    design.rightWidth[1] = 3.75;
    design.leftWidth[1] = 3.25;
    for (std::size_t i = 0; i < 8; ++i) design.normalIntervals[i] = 100.0 + double(i);
    std::strcpy(design.outputPath, "/somewhere/out.dxf");
    ASSERT_EQ(readInCLocale(path), 1);
    expectSampleDesign();
    expectNoMessage();
}

TEST_F(ParameterFile, LineStyleNumbersFollowIntegerRulesAndAreClamped) {
    auto lines = sampleLines();
    lines[18] = "CENTER2 99999999999999999999";
    lines[19] = "DOT -4294967297";
    lines[20] = "CONTINUOUS 0x1F";
    ASSERT_EQ(readText(joinLines(lines)), 1);
    EXPECT_EQ(design.lineStyle1Number, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(design.lineStyle2Number, std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(design.lineStyle3Number, 31);
    lines[18] = "CENTER2 010";
    ASSERT_EQ(readText(joinLines(lines)), 1);
    EXPECT_EQ(design.lineStyle1Number, 8); // leading 0: octal
}

// --- capacities and misaligned files ----------------------------------------------

TEST_F(ParameterFile, TwentyWidthsFillTheArrayAndShiftLaterValues) {
    auto lines = sampleLines();
    std::string widths;
    for (int i = 1; i <= 20; ++i) widths += std::to_string(i) + " ";
    lines[6] = widths + "0.0";
    lines[7] = repeated("1", 20);
    lines[8] = repeated("0.5", 20);
    EXPECT_EQ(readText(joinLines(lines)), 0);
    for (std::size_t i = 0; i < 20; ++i) ASSERT_EQ(design.rightWidth[i], double(i + 1)) << i;
    // The "0.0" that ends the widths is taken as the first method.
    EXPECT_EQ(design.rightMethod[0], 0.0);
    for (std::size_t i = 1; i < 20; ++i) ASSERT_EQ(design.rightMethod[i], 1.0) << i;
    EXPECT_EQ(design.rightWidening[0], 1.0);
    for (std::size_t i = 1; i < 20; ++i) ASSERT_EQ(design.rightWidening[i], 0.5) << i;
    // The left side starts one token early: 0.5 | 2.75 0.5 0.0 | 1 1 0.5 | 0.5 0.1, then "L".
    EXPECT_EQ(design.leftWidth[0], 0.5);
    EXPECT_EQ(design.leftWidth[1], 2.75);
    EXPECT_EQ(design.leftWidth[2], 0.5);
    EXPECT_EQ(design.leftWidth[3], 0.0);
    EXPECT_EQ(design.leftMethod[2], 0.5);
    EXPECT_EQ(design.leftWidening[0], 0.5);
    EXPECT_EQ(design.leftWidening[1], 0.1);
    EXPECT_EQ(design.leftWidening[2], -7.0); // the read met "L"
    // "L" then meets the station group's first number.
    EXPECT_EQ(design.centerPitch, -7.0);
    expectOnly(kReadError);
}

TEST_F(ParameterFile, TwoHundredIntervalsWithoutEndMarkFillTheArray) {
    auto lines = sampleLines();
    lines[17] = repeated("5", 200) + "7 8 1000.";
    ASSERT_EQ(readText(joinLines(lines)), 1);
    for (std::size_t i = 0; i < korvane::kIntervalCapacity; ++i)
        ASSERT_EQ(design.normalIntervals[i], 5.0) << i;
    EXPECT_STREQ(design.lineStyle1Name, "7");
    EXPECT_EQ(design.lineStyle1Number, 8);
    EXPECT_STREQ(design.lineStyle2Name, "1000.");
    EXPECT_EQ(design.lineStyle2Number, -7); // met "CENTER2": the group stops there
    EXPECT_STREQ(design.lineStyle3Name, "old");
    expectNoMessage();
}

TEST_F(ParameterFile, IntervalOf1000EndsTheList) {
    auto lines = sampleLines();
    lines[17] = "9.889 1000 20 1000.";
    ASSERT_EQ(readText(joinLines(lines)), 1);
    EXPECT_EQ(design.normalIntervals[1], 1000.0);
    EXPECT_EQ(design.normalIntervals[2], 0.0);
    // The rest goes to the line styles; an integer read stops before the point.
    EXPECT_STREQ(design.lineStyle1Name, "20");
    EXPECT_EQ(design.lineStyle1Number, 1000);
    EXPECT_STREQ(design.lineStyle2Name, ".");
    EXPECT_EQ(design.lineStyle2Number, -7); // met "CENTER2"
}

// --- over-long words ---------------------------------------------------------

// The words of lines 2, 14, 19, 20 and 21 all longer than their fields: each is
// stored cut, and every later field keeps its place.
TEST_F(ParameterFile, OverlongWordsAreCutAndLaterFieldsStayAligned) {
    const std::string longPath(300, 'P'), longExt(400, 'X'), longDirection(12, 'R');
    const std::string longStyle(25, 'S');
    auto lines = sampleLines();
    lines[1] = longPath + " " + longExt;
    lines[13] = longDirection;
    lines[18] = longStyle + "1 1";
    lines[19] = longStyle + "2 2";
    lines[20] = longStyle + "3 3";
    ASSERT_EQ(readText(joinLines(lines)), 1);
    EXPECT_EQ(std::string(design.outputPath), std::string(259, 'P'));
    EXPECT_EQ(std::string(design.outputExtension), std::string(259, 'X'));
    EXPECT_STREQ(design.stationDirection, "RRRRRRR");
    EXPECT_EQ(std::string(design.lineStyle1Name), std::string(19, 'S'));
    EXPECT_EQ(std::string(design.lineStyle2Name), std::string(19, 'S'));
    EXPECT_EQ(std::string(design.lineStyle3Name), std::string(19, 'S'));
    EXPECT_EQ(design.a1, 40.0);
    EXPECT_EQ(design.stationPitch, 20.0);
    EXPECT_EQ(design.lineStyle1Number, 1);
    EXPECT_EQ(design.lineStyle2Number, 2);
    EXPECT_EQ(design.lineStyle3Number, 3);
    EXPECT_EQ(design.normalIntervals[4], 1000.0);
    expectNoMessage();
}

// Each word field with a long word as the last token of the file, so that the
// member after it in the record is not read again: it must keep its marker.
TEST_F(ParameterFile, OverlongWordDoesNotTouchTheNextMember) {
    const std::string longWord(600, 'W');
    {
        SCOPED_TRACE("outputPath");
        EXPECT_EQ(readText("250 " + longWord + "\n"), 0);
        EXPECT_EQ(std::string(design.outputPath), std::string(259, 'W'));
        EXPECT_STREQ(design.outputExtension, "old");
    }
    {
        SCOPED_TRACE("outputExtension");
        EXPECT_EQ(readText("250 DXF " + longWord), 0);
        EXPECT_EQ(std::string(design.outputExtension), std::string(259, 'W'));
        EXPECT_EQ(design.a1, -7.0);
    }
    {
        SCOPED_TRACE("stationDirection");
        EXPECT_EQ(readText(sampleUpToLine(13) + longWord + "\n"), 0);
        EXPECT_STREQ(design.stationDirection, "WWWWWWW");
        EXPECT_EQ(design.stationPitch, -7.0);
    }
    const std::string head = sampleUpToLine(18);
    {
        SCOPED_TRACE("lineStyle1Name");
        EXPECT_EQ(readText(head + longWord + "\n"), 1);
        EXPECT_EQ(std::string(design.lineStyle1Name), std::string(19, 'W'));
        EXPECT_EQ(design.lineStyle1Number, -7);
    }
    {
        SCOPED_TRACE("lineStyle2Name");
        EXPECT_EQ(readText(head + "CENTER2 1\n" + longWord), 1);
        EXPECT_EQ(std::string(design.lineStyle2Name), std::string(19, 'W'));
        EXPECT_EQ(design.lineStyle2Number, -7);
    }
    {
        SCOPED_TRACE("lineStyle3Name");
        EXPECT_EQ(readText(head + "CENTER2 1\nDOT 1\n" + longWord + "\n"), 1);
        EXPECT_EQ(std::string(design.lineStyle3Name), std::string(19, 'W'));
        EXPECT_EQ(design.lineStyle3Number, -7);
    }
}

// The word reader on a field with guard bytes either side.
TEST(ParameterTokens, WordReaderStaysInsideItsField) {
    std::FILE *file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    // A long word, a word of full-width characters (two bytes each) that does
    // not fit whole, and a short word.
    std::fputs("  ABCDEFGHIJKL\r\n\x82\x60\x82\x61\x82\x62\x82\x63 ok", file);
    std::rewind(file);
    char guarded[4 + 8 + 4];
    std::memset(guarded, '#', sizeof guarded);
    std::span<char> field(guarded + 4, 8);
    ASSERT_TRUE(korvane::readWord(file, field));
    EXPECT_EQ(std::string(guarded, sizeof guarded), std::string("####ABCDEFG\0####", 16));
    ASSERT_TRUE(korvane::readWord(file, field));
    // Three characters fit in 7 bytes; the fourth is dropped whole.
    EXPECT_STREQ(field.data(), "\x82\x60\x82\x61\x82\x62");
    EXPECT_EQ(std::string(guarded, 4), "####");
    EXPECT_EQ(std::string(guarded + 12, 4), "####");
    ASSERT_TRUE(korvane::readWord(file, field));
    EXPECT_STREQ(field.data(), "ok");
    EXPECT_FALSE(korvane::readWord(file, field));
    EXPECT_STREQ(field.data(), "ok");
    std::fclose(file);
}

// --- failures -----------------------------------------------------------------

TEST_F(ParameterFile, MissingFileIsReportedAndClearsOnlyTheIntervals) {
    fillWithMarkers();
    EXPECT_EQ(readInCLocale(dir.file("missing.DAT")), 0);
    expectOnly(kCannotOpen);
    for (std::size_t i = 0; i < korvane::kIntervalCapacity; ++i)
        ASSERT_EQ(design.normalIntervals[i], 0.0);
    expectDerivedMembersUntouched();
    EXPECT_EQ(design.scale, -7.0);
    EXPECT_EQ(design.rightWidth[0], -7.0);
    EXPECT_STREQ(design.lineStyle1Name, "old");
}

TEST_F(ParameterFile, EmptyFileOrLeadingWordFailsAtTheFirstGroup) {
    EXPECT_EQ(readText(""), 0);
    expectOnly(kReadError);
    EXPECT_EQ(design.scale, -7.0);
    messages.clear();

    // The scale field left empty: the first token is the word "DXF".
    auto lines = sampleLines();
    lines[0] = "";
    EXPECT_EQ(readText(joinLines(lines)), 0);
    expectOnly(kReadError);
    EXPECT_EQ(design.scale, -7.0);
    EXPECT_STREQ(design.outputPath, "old");
    EXPECT_EQ(design.rightWidth[0], -7.0);
    EXPECT_EQ(design.normalIntervals[0], 0.0);
}

TEST_F(ParameterFile, FileCutAfterLine17FailsAtTheLineStyles) {
    EXPECT_EQ(readText(sampleUpToLine(17)), 0);
    expectOnly(kReadError);
    EXPECT_EQ(design.scale, 250.0);
    EXPECT_EQ(design.iaSeconds, 44.444);
    EXPECT_EQ(design.leftWidening[1], 0.5);
    EXPECT_STREQ(design.stationDirection, "L");
    EXPECT_EQ(design.kaStationPlus, 10.111);
    for (std::size_t i = 0; i < korvane::kIntervalCapacity; ++i)
        ASSERT_EQ(design.normalIntervals[i], 0.0) << i;
    EXPECT_STREQ(design.lineStyle1Name, "old");
    EXPECT_EQ(design.lineStyle1Number, -7);
}

TEST_F(ParameterFile, LaterFieldOfAGroupFailingKeepsTheRestAndGoesOn) {
    // "2 50" typed into A1: the group takes "50" as A2 and everything shifts.
    auto lines = sampleLines();
    lines[2] = "2 50";
    lines[5] = "66 abc 44.444";
    EXPECT_EQ(readText(joinLines(lines)), 0);
    EXPECT_EQ(design.a1, 2.0);
    EXPECT_EQ(design.a2, 50.0);
    EXPECT_EQ(design.radius, 35.0);
    EXPECT_EQ(design.iaDegrees, 40.0);
    EXPECT_EQ(design.iaMinutes, 66.0);
    EXPECT_EQ(design.iaSeconds, -7.0); // met "abc"
    // "abc" then stays before the width reads, which keep their markers
    // (-7 is not 0), and is finally met by the station group's first number.
    EXPECT_EQ(design.rightWidth[0], -7.0);
    expectOnly(kReadError);
}

// --- locale ---------------------------------------------------------------------

// Restores the C locale for the process after a test that changed it.
class DecimalCommaLocale : public ParameterFile {
protected:
    void SetUp() override {
        if (!testing_support::setDecimalCommaLocale()) GTEST_SKIP() << "no German locale (de_DE.UTF-8) installed";
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

TEST_F(DecimalCommaLocale, NumbersAreReadWithAPoint) {
    writeFile(path, kSampleParameterText);
    // Through the export, which reads the file into the library's record
    // before checking it.
    korvane::design.rightWidening[0] = korvane::design.kaStationPlus = -7;
    data_chekvb(path.c_str());
    EXPECT_EQ(korvane::design.rightWidening[0], 0.5);
    EXPECT_EQ(korvane::design.kaStationPlus, 10.111);
    EXPECT_EQ(korvane::design.normalIntervals[0], 9.889);

    fillWithMarkers();
    EXPECT_EQ(readInCLocale(path), 1);
    expectSampleDesign();
}

} // namespace
