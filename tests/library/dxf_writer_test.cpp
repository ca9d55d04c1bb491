#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <random>
#include <set>
#include <string>

#include "drawing/dxf_writer.h"
#include "drawing/normals.h"
#include "drawing/number_format.h"
#include "drawing/output_stream.h"
#include "params/c_locale.h"
#include "platform_skip.h"
#include "writer_test_support.h"

using namespace writer_testing;
using korvane::StreamSlot;

namespace {

const std::string kWriteFailed = "fprintfｴﾗｰ";

std::string fixed6(double value) {
    char text[korvane::kFixedNumberCapacity];
    char *end = korvane::formatFixed6(text, text + sizeof text, value);
    return end ? std::string(text, end) : std::string("<does not fit>");
}

std::string printfText(const char *format, double value) {
    char text[400];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

} // namespace

// ---------------------------------------------------------------------------
// Numbers

TEST(DxfNumberFormat, FixedMatchesPrintfOnAMillionDrawingValues) {
    korvane::CLocaleScope cLocale;
    std::mt19937_64 random(20261207);
    std::uniform_real_distribution<double> coordinate(-2.0e6, 2.0e6);
    std::uniform_real_distribution<double> small(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-12, 15);
    std::uniform_int_distribution<long long> whole(-10000000, 10000000);
    int mismatches = 0;
    for (int i = 0; i < 1000000; ++i) {
        double value;
        switch (i % 4) {
        case 0: value = coordinate(random); break;
        case 1: value = small(random) * std::pow(10.0, exponent(random)); break;
        // Values near the rounding boundary of the sixth decimal.
        case 2: value = static_cast<double>(whole(random)) / 1000000.0 + 5e-7; break;
        default: value = static_cast<double>(whole(random)) / 8.0; break;
        }
        if (fixed6(value) != printfText("%f", value) && ++mismatches <= 5)
            ADD_FAILURE() << "value " << printfText("%.17g", value) << ": " << fixed6(value)
                          << " vs " << printfText("%f", value);
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(DxfNumberFormat, SpecialValuesAndWholeNumbersMatchPrintf) {
    korvane::CLocaleScope cLocale;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
#ifdef _WIN32
    // The C runtime there prints a NaN without its sign; the formatter gives
    // the same text on every platform.
    EXPECT_EQ(fixed6(-nan), "-nan");
    for (double value : {nan, inf, -inf, -0.0, 0.0, 1.5, -1.5, 1e300, -1e-300,
#else
    for (double value : {nan, -nan, inf, -inf, -0.0, 0.0, 1.5, -1.5, 1e300, -1e-300,
#endif
                         std::numeric_limits<double>::max(), 5e-7, 2.5e-7})
        EXPECT_EQ(fixed6(value), printfText("%f", value)) << printfText("%.17g", value);
    EXPECT_EQ(fixed6(1.5), "1.500000");
    EXPECT_EQ(fixed6(-0.0), "-0.000000");

    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> extent(0.0, 1.0e6);
    for (int i = 0; i < 100000; ++i) {
        const double value = i % 2 ? extent(random) : std::floor(extent(random)) + 0.5;
        char text[korvane::kFixedNumberCapacity];
        char *end = korvane::formatWhole(text, text + sizeof text, value);
        ASSERT_NE(end, nullptr);
        ASSERT_EQ(std::string(text, end), printfText("%.0f", value));
    }

    for (unsigned long long value : {0ULL, 9ULL, 10ULL, 102ULL, 0xABCDEFULL, ~0ULL}) {
        char text[20];
        char *end = korvane::formatHexUpper(text, text + sizeof text, value);
        ASSERT_NE(end, nullptr);
        EXPECT_EQ(std::string(text, end), hexUpper(value));
    }
    char tiny[2];
    EXPECT_EQ(korvane::formatHexUpper(tiny, tiny + sizeof tiny, 0x100), nullptr);
}

// ---------------------------------------------------------------------------
// Entity formats

using DxfEntityFormat = DrawingRunTest;

TEST_F(DxfEntityFormat, LineArcAndTextAreWrittenByteForByte) {
    openEmptyOutput();
    dxf().writeLine(0.0, 74250.0, 1234.5678916, -74250.25);
    dxf().writeArc(100.0, -200.5, 40000.0, -90.0, 12.3456784, "D-STR");
    dxf().writeText(250.0, 74000.0, 375.0, 0.0, "K.A.");
    dxf().writeText(-250.0, 74500.0, 375.0, korvane::kQuarterTurn, "NO.1+2.500");
    EXPECT_EQ(closeAndReadOutput(),
              "0\nLINE\n8\nD-WORK\n10\n0.000000\n20\n74250.000000\n11\n1234.567892\n21\n"
              "-74250.250000\n"
              "0\nARC\n8\nD-STR\n10\n100.000000\n20\n-200.500000\n40\n40000.000000\n50\n"
              "-90.000000\n51\n12.345678\n"
              "0\nTEXT\n8\nD-BMK-HTXT\n10\n250.000000\n20\n74000.000000\n40\n375.000000\n41\n1\n"
              "50\n0.000000\n1\nK.A.\n"
              "0\nTEXT\n8\nD-BMK-HTXT\n10\n-250.000000\n20\n74500.000000\n40\n375.000000\n41\n1\n"
              "50\n90.000000\n1\nNO.1+2.500\n");
    EXPECT_TRUE(messages().empty());
}

TEST_F(DxfEntityFormat, TextBytesOfAnyLengthReachTheFileUnchanged) {
    openEmptyOutput();
    // cp932 "曲線" followed by a long run, longer than one record buffer.
    const std::string japanese = "\x8B\xC8\x90\xFC";
    const std::string text = japanese + std::string(1500, 'x') + japanese;
    dxf().writeText(1.0, 2.0, 3.0, 0.0, text.c_str());
    const std::string content = closeAndReadOutput();
    EXPECT_EQ(content, "0\nTEXT\n8\nD-BMK-HTXT\n10\n1.000000\n20\n2.000000\n40\n3.000000\n41\n1\n"
                       "50\n0.000000\n1\n" + text + "\n");
}

// The first polyline of a counter as the library has it at load: POLYLINE 66,
// then one handle after the other.
TEST_F(DxfEntityFormat, PolylineVerticesAndSeqendCarryConsecutiveHandles) {
    ASSERT_EQ(korvane::createTempFile(streams()), 1);
    dxf().writePolylineSegment(0.0, 74250.0, 100.25, 74260.5, 1, "D-STR");
    dxf().writePolylineSegment(100.25, 74260.5, 200.0, 74280.125, 2, "D-STR");
    ASSERT_EQ(dxf().writeSeqend(), 1);
    ASSERT_EQ(korvane::closeTempFile(streams()), 1);
    // A lane polyline on D-STR still ends with a SEQEND on D-BMK.
    EXPECT_EQ(testing_support::readFile(tempPath),
              "0\nPOLYLINE\n5\n66\n8\nD-STR\n66\n1\n10\n0.0\n20\n0.0\n30\n0.0\n"
              "0\nVERTEX\n5\n67\n8\nD-STR\n10\n0.000000\n20\n74250.000000\n30\n0.0\n"
              "0\nVERTEX\n5\n68\n8\nD-STR\n10\n100.250000\n20\n74260.500000\n30\n0.0\n"
              "0\nVERTEX\n5\n69\n8\nD-STR\n10\n200.000000\n20\n74280.125000\n30\n0.0\n"
              "0\nSEQEND\n5\n6A\n8\nD-BMK\n");
    EXPECT_TRUE(messages().empty());
}

TEST_F(DxfEntityFormat, HandlesStayBelowTheSeedOfTheHeader) {
    handles = korvane::EntityHandles(korvane::kHandleSeed - 2);
    ASSERT_EQ(korvane::createTempFile(streams()), 1);
    dxf().writePolylineSegment(0.0, 0.0, 1.0, 1.0, 1, "D-BMK");
    korvane::closeTempFile(streams());
    EXPECT_EQ(handlesOf(testing_support::readFile(tempPath)),
              (std::vector<std::string>{"FFFFFFFFFE", "66", "67"}));
}

// ---------------------------------------------------------------------------
// Whole drawings

namespace {

std::string shippedTemplate() { return testing_support::sourceDir() + "/data/aln_hdr_.dxf"; }

// One polyline cycle: temporary file, segments, SEQEND, close, append.
void drawPolyline(korvane::DrawingRun &run, int segments, const char *layer, double y0) {
    ASSERT_EQ(korvane::createTempFile(run.streams()), 1);
    for (int j = 1; j <= segments; ++j)
        run.dxf().writePolylineSegment((j - 1) * 500.0, y0 + j, j * 500.0, y0 + j + 1, j, layer);
    ASSERT_EQ(run.dxf().writeSeqend(), 1);
    ASSERT_EQ(korvane::closeTempFile(run.streams()), 1);
    ASSERT_EQ(korvane::appendTempBody(run.streams()), 1);
}

// A drawing as the pipeline builds it: header, normals and labels, thirty
// polylines, an arc, closing.
void drawSampleDrawing(korvane::DrawingRun &run, const std::string &japaneseCp932) {
    const double scale = run.design().scale;
    ASSERT_EQ(korvane::copyHeaderTemplate(run.streams(), shippedTemplate().c_str(), scale), 1);
    ASSERT_EQ(korvane::openOutputForAppend(run.streams()), 1);
    const double baseY = 297.0 * scale;
    korvane::writeKaNormalLine(run, {0.0, baseY});
    korvane::writeLabel(run, {0.0, baseY}, 0.0, "K.A.");
    for (int i = 0; i < 30; ++i) drawPolyline(run, 1 + i % 7, i % 3 ? "D-STR" : "D-BMK", baseY + i * 1000.0);
    korvane::writeNormalLine(run, {20000.0, baseY + 500.0}, 0.25);
    korvane::writeLabel(run, {20000.0, baseY + 500.0}, 0.25, "K.E.");
    run.dxf().writeArc(20000.0, baseY + 60000.0, 60000.0, -75.0, -40.0, "D-BMK");
    run.dxf().writeArc(20000.0, baseY + 60000.0, 57250.0, -75.0, -40.0, "D-STR");
    run.dxf().writeLine(0.0, baseY, 90000.0, baseY);
    run.dxf().writeText(1000.0, 2000.0, 375.0, 0.0, japaneseCp932.c_str());
    korvane::closeDrawing(run.streams());
}

std::string pythonWithEzdxf() {
    for (const char *candidate : {"/usr/bin/python3", "python3"}) {
        const std::string probe = std::string(candidate) + " -c \"import ezdxf\" >/dev/null 2>&1";
        if (std::system(probe.c_str()) == 0) return candidate;
    }
    return {};
}

} // namespace

using DxfDrawing = DrawingRunTest;

TEST_F(DxfDrawing, ThirtyPolylinesNeverRepeatAHandle) {
    drawSampleDrawing(run(), "K.E.");
    ASSERT_TRUE(messages().empty()) << messages().front();
    const std::vector<std::string> handles = handlesOf(testing_support::readFile(outputPath));
    // 30 POLYLINE + 30 SEQEND + (1..7 segments + 1) vertices each.
    std::size_t expected = 0;
    for (int i = 0; i < 30; ++i) expected += 2 + (1 + i % 7) + 1;
    ASSERT_EQ(handles.size(), expected);
    std::set<std::string> distinct(handles.begin(), handles.end());
    EXPECT_EQ(distinct.size(), handles.size());
    // One counter: every handle is the one before plus one.
    for (std::size_t i = 1; i < handles.size(); ++i)
        EXPECT_EQ(std::stoull(handles[i], nullptr, 16), std::stoull(handles[i - 1], nullptr, 16) + 1);
}

TEST_F(DxfDrawing, AssembledDrawingPassesTheValidityCheck) {
    KORVANE_SKIP_ON_WINDOWS("check_dxf.py runs with the Linux python3 and ezdxf; the Windows drawings are "
                            "compared byte for byte with the Linux ones instead");
    const std::string python = pythonWithEzdxf();
    if (python.empty()) GTEST_SKIP() << "python3 with ezdxf (python3-ezdxf) is not installed";
    const std::string japanese = "曲線要素 Ｒ＝３５ｍ ｸﾛｿｲﾄﾞ";
    char cp932[200];
    korvane::toCp932(japanese, cp932, sizeof cp932);
    drawSampleDrawing(run(), cp932);
    ASSERT_TRUE(messages().empty());
    const std::string command = python + " " + testing_support::sourceDir() +
                                "/tests/tools/check_dxf.py " + outputPath + " 'K.A.' '" + japanese + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
}

TEST_F(DxfDrawing, NumbersKeepTheirPointUnderADecimalCommaLocale) {
    std::string previous = std::setlocale(LC_ALL, nullptr);
    if (!testing_support::setDecimalCommaLocale()) GTEST_SKIP() << "no German locale (de_DE.UTF-8) installed";
    ASSERT_EQ(printfText("%.1f", 1.5), "1,5"); // the locale really uses a comma
    design.scale = 250.3;
    drawSampleDrawing(run(), "K.E.");
    std::setlocale(LC_ALL, previous.c_str());

    const std::string content = testing_support::readFile(outputPath);
    EXPECT_EQ(content.find(','), std::string::npos);
    EXPECT_NE(content.find("\n$EXTMAX\n10\n210502\n20\n148678\n"), std::string::npos);
    EXPECT_NE(content.find("\n40\n375.450000\n"), std::string::npos);
    EXPECT_NE(content.find("\n10\n20000.000000\n"), std::string::npos);
}

// ---------------------------------------------------------------------------
// The temporary file and the closing

TEST_F(DrawingRunTest, AppendCopiesTheTemporaryFileByteForByte) {
    testing_support::writeFile(outputPath, "0\nSECTION\n2\nENTITIES\n");
    // More than two copy blocks, lines of every length (also beyond the
    // 200-byte line buffer), no line end at the very end.
    std::string body;
    std::mt19937 random(3);
    while (body.size() < 2 * korvane::kStreamBlockSize + 12345)
        body += std::string(random() % 400, static_cast<char>('A' + random() % 26)) + "\n";
    body += "tail";
    testing_support::writeFile(tempPath, body);
    ASSERT_EQ(korvane::openOutputForAppend(streams()), 1);
    ASSERT_EQ(korvane::appendTempBody(streams()), 1);
    EXPECT_EQ(streams().stream(StreamSlot::input), nullptr);
    EXPECT_NE(streams().stream(StreamSlot::output), nullptr); // stays open for the next entities
    korvane::closeDrawing(streams());
    EXPECT_EQ(streams().stream(StreamSlot::output), nullptr);
    EXPECT_EQ(testing_support::readFile(outputPath),
              "0\nSECTION\n2\nENTITIES\n" + body + "0\nENDSEC\n0\nEOF\n");
    EXPECT_TRUE(messages().empty());
    EXPECT_FALSE(streams().writeFailed());
}

TEST_F(DrawingRunTest, StreamsThatCannotBeOpenedAreReported) {
    setPath(design.outputPath, dir.file("missing/out.dxf"));
    setPath(design.tempPath, dir.file("missing/temp.dxf"));
    EXPECT_EQ(korvane::openOutputForAppend(streams()), 0);
    EXPECT_EQ(korvane::createTempFile(streams()), 0);
    EXPECT_EQ(korvane::appendTempBody(streams()), 0);
    EXPECT_EQ(messages(), (std::vector<std::string>{"Can't open 新DXF file", "Can't open tmpDXF file",
                                                     "Can't open tmpDXF file"}));
    EXPECT_EQ(streams().stream(StreamSlot::output), nullptr);
    EXPECT_EQ(streams().stream(StreamSlot::temporary), nullptr);
}

class DxfFullDisk : public DrawingRunTest {
protected:
    void SetUp() override {
        DrawingRunTest::SetUp();
        KORVANE_SKIP_ON_WINDOWS("no device like /dev/full that refuses every write");
        if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    }
};

TEST_F(DxfFullDisk, EveryEntityAfterTheFirstFailureIsReportedOnce) {
    setPath(design.outputPath, "/dev/full");
    ASSERT_EQ(korvane::openOutputForAppend(streams()), 1);
    // More than one stream block of LINEs: the failure shows when the block
    // is first written out, and every entity after it fails at once.
    const int lines = 20000;
    int firstFailure = -1;
    for (int i = 0; i < lines; ++i) {
        const std::size_t before = recorder.cp932().size();
        dxf().writeLine(i, 74250.0, i + 1000.0, 74250.0);
        const std::size_t added = recorder.cp932().size() - before;
        if (firstFailure < 0 && added == 1) firstFailure = i;
        if (firstFailure >= 0) ASSERT_EQ(added, 1u) << "line " << i;
        else ASSERT_EQ(added, 0u);
    }
    ASSERT_GT(firstFailure, 0);
    EXPECT_TRUE(streams().writeFailed());
    korvane::closeDrawing(streams());
    EXPECT_EQ(streams().stream(StreamSlot::output), nullptr);
    const std::vector<std::string> shown = messages();
    EXPECT_EQ(shown.size(), static_cast<std::size_t>(lines - firstFailure + 1));
    for (const std::string &message : shown) ASSERT_EQ(message, kWriteFailed);
}

TEST_F(DxfFullDisk, AFailedLastFlushIsReportedByTheClosing) {
    setPath(design.outputPath, "/dev/full");
    ASSERT_EQ(korvane::openOutputForAppend(streams()), 1);
    dxf().writeLine(0.0, 1.0, 2.0, 3.0);
    dxf().writeText(0.0, 1.0, 375.0, 0.0, "K.A.");
    EXPECT_TRUE(messages().empty()); // still in the stream's block
    korvane::closeDrawing(streams());
    EXPECT_EQ(messages(), std::vector<std::string>{kWriteFailed});
    EXPECT_EQ(streams().stream(StreamSlot::output), nullptr);
    EXPECT_TRUE(streams().writeFailed());
    EXPECT_FALSE(newRun().streams().writeFailed()); // the next run starts clean
}

TEST_F(DxfFullDisk, ATemporaryFileThatCannotBeWrittenFailsItsCycle) {
    setPath(design.tempPath, "/dev/full");
    ASSERT_EQ(korvane::createTempFile(streams()), 1);
    dxf().writePolylineSegment(0.0, 0.0, 1.0, 1.0, 1, "D-BMK");
    ASSERT_EQ(dxf().writeSeqend(), 1);
    EXPECT_EQ(korvane::closeTempFile(streams()), 0);
    EXPECT_EQ(messages(), std::vector<std::string>{kWriteFailed});
    EXPECT_EQ(streams().stream(StreamSlot::temporary), nullptr);
    EXPECT_TRUE(streams().writeFailed());
}

TEST_F(DxfFullDisk, AnAppendThatCannotBeWrittenClosesEveryStream) {
    testing_support::writeFile(tempPath, std::string(3 << 20, 'x'));
    setPath(design.outputPath, "/dev/full");
    ASSERT_EQ(korvane::openOutputForAppend(streams()), 1);
    EXPECT_EQ(korvane::appendTempBody(streams()), 0);
    EXPECT_EQ(messages(), std::vector<std::string>{kWriteFailed});
    EXPECT_EQ(streams().stream(StreamSlot::output), nullptr);
    EXPECT_EQ(streams().stream(StreamSlot::input), nullptr);
    EXPECT_TRUE(streams().writeFailed());
}

TEST_F(DrawingRunTest, WritersWithoutAnOpenStreamReportAndGoOn) {
    dxf().writeLine(0.0, 0.0, 1.0, 1.0);
    dxf().writePolylineSegment(0.0, 0.0, 1.0, 1.0, 1, "D-BMK");
    EXPECT_EQ(dxf().writeSeqend(), 0);
    korvane::closeDrawing(streams());
    EXPECT_EQ(messages(), std::vector<std::string>(3, kWriteFailed));
    EXPECT_TRUE(streams().writeFailed());
}
