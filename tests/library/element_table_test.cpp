// The element table and data echo in the drawing's corner, byte for byte.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "annotation/element_table.h"
#include "drawing/drawing_run.h"
#include "drawing_support.h"
#include "params/c_locale.h"
#include "params/cp932.h"
#include "params/design_record.h"
#include "test_support.h"

using drawing_support::Design;
using drawing_support::drawDesign;
using drawing_support::DrawingRun;
using testing_support::TempDir;

namespace {

std::string cp932(const std::string &utf8) {
    char buffer[512];
    const std::size_t n = korvane::toCp932(utf8, buffer, sizeof buffer);
    return std::string(buffer, n);
}

// The TEXT entities of the table: those at x = 0 with rotation 0 and height
// 4 × scale, in file order.
std::vector<const drawing_support::Entity *> tableLines(const DrawingRun &run, double scale) {
    std::vector<const drawing_support::Entity *> out;
    for (const auto *t : run.drawing.ofType("TEXT"))
        if (t->real(10) == 0 && t->real(50) == 0 && t->real(40) == 4 * scale) out.push_back(t);
    return out;
}

const char *const kRightHeading = "ｾﾝﾀｰから右側の線までの距離(各線の位置)";
const char *const kLeftHeading = "ｾﾝﾀｰから左側の線までの距離(各線の位置)";
const char *const kMethodHeading = "    各線の拡幅方法 0or1or2 (0拡幅無し 1方法１  2方法２)";
const char *const kAmountHeading = "    各線の拡幅量";

} // namespace

// The asymmetric example: A1 = 100, A2 = 150, R = 200, IA = 60°00'00".
TEST(ElementTable, AsymmetricCurveLineByLine) {
    TempDir dir;
    Design d;
    d.centerPitch = "1";
    d.right = {{3.5, 0, 0}, {3.5, 1, 0.5}, {2.5, 2, 1}};
    d.left = {{3, 1, 0.25}, {3, 0, 0}, {3, 2, 1.5}};
    const DrawingRun run = drawDesign(d.parameterText(), dir);
    ASSERT_EQ(run.result, 1);

    const std::vector<std::string> expected = {
        "       左側曲線   右側曲線",
        "  ＩＡ +60゜ 0' 0.00000\"",
        "    Ａ   100.000   150.000",
        "    Ｒ   200.000   200.000",
        "    Ｌ    50.000   112.500",
        "  ⊿Ｒ     0.521     2.629",
        "   ＸM    24.987    56.102",
        "    Ｘ    49.922   111.613",
        "    Ｙ     2.081    10.487",
        "   Ｌc        128.190",
        "  ＣＬ        290.690",
        "   Ｔc   143.193   170.655",
        "    Ｗ        116.988",
        "ｾﾝﾀｰでの計算ピッチ  1.0000m",
        "測点の方向  L  (左から右に進む)",
        "測点ピッチ  20.0000m",
        "Ｋ.Ａ.位置の測点  NO.5+12.3450",
        kRightHeading,
        "3.500 7.000 9.500",
        kMethodHeading,
        "0 1 2",
        kAmountHeading,
        "0.000 0.500 1.000",
        kLeftHeading,
        "3.000 6.000 9.000",
        kMethodHeading,
        "1 0 2",
        kAmountHeading,
        "0.250 0.000 1.500",
    };
    const auto lines = tableLines(run, 250);
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i]->text(1), cp932(expected[i])) << "line " << i + 1 << ": " << expected[i];
        EXPECT_EQ(lines[i]->text(8), "D-BMK-HTXT");
        EXPECT_DOUBLE_EQ(lines[i]->real(20), 594 * 250.0 - 7 * 250.0 * double(i)) << "line " << i + 1;
        EXPECT_EQ(lines[i]->text(40), "1000.000000");
    }
    // The table is the last block of the drawing.
    EXPECT_EQ(run.drawing.entities.back().text(1), cp932(expected.back()));
}

TEST(ElementTable, CurveDirectionStationDirectionAndNoLanes) {
    TempDir dir;
    Design d;
    d.scale = "500";
    d.ia = "-60 0 0";
    d.direction = "R";
    d.stationPitch = "25";
    d.kaStationNo = "0";
    d.kaStationPlus = "0";
    const DrawingRun run = drawDesign(d.parameterText(), dir);
    ASSERT_EQ(run.result, 1);
    const auto lines = tableLines(run, 500);
    ASSERT_EQ(lines.size(), 17u); // no lane blocks
    EXPECT_EQ(lines[1]->text(1), cp932("  ＩＡ -60゜ 0' 0.00000\""));
    EXPECT_EQ(lines[14]->text(1), cp932("測点の方向  R  (右から左に進む)"));
    EXPECT_EQ(lines[15]->text(1), cp932("測点ピッチ  25.0000m"));
    EXPECT_EQ(lines[16]->text(1), cp932("Ｋ.Ａ.位置の測点  NO.0+0.0000"));
    EXPECT_DOUBLE_EQ(lines[0]->real(20), 594 * 500.0);
    EXPECT_DOUBLE_EQ(lines[16]->real(20), 594 * 500.0 - 16 * 7 * 500.0);
}

namespace {

// Runs writeElementTable on a record and returns the texts it wrote.
std::vector<std::string> tableOf(korvane::DesignRecord &design) {
    korvane::CLocaleScope cLocale;
    TempDir dir;
    const std::string output = dir.file("table.dxf");
    std::snprintf(design.outputPath, sizeof design.outputPath, "%s", output.c_str());
    korvane::EntityHandles handles;
    korvane::DrawingBuffers buffers;
    korvane::DrawingRun run(design, handles, buffers);
    if (!korvane::openOutputForAppend(run.streams())) return {};
    korvane::writeElementTable(run);
    run.streams().closeAll();
    const auto drawing = drawing_support::readDrawing("0\nSECTION\n2\nENTITIES\n" + testing_support::readFile(output));
    std::vector<std::string> texts;
    for (const auto *t : drawing.ofType("TEXT")) texts.push_back(t->text(1));
    return texts;
}

} // namespace

TEST(ElementTable, UnknownDirectionCharacter) {
    korvane::DesignRecord d{};
    d.scale = 250;
    d.stationDirection[0] = 'X';
    const auto texts = tableOf(d);
    ASSERT_EQ(texts.size(), 17u);
    EXPECT_EQ(texts[14], cp932("測点の方向  X  エラー"));
}

TEST(ElementTable, TwentyLanesOfAnyMagnitudeFitTheirLines) {
    korvane::DesignRecord d{};
    d.scale = 250;
    d.stationDirection[0] = 'L';
    for (std::size_t i = 0; i < korvane::kLaneCapacity; ++i) {
        d.rightWidth[i] = -1.7e308; // "%.3f": sign, 309 digits, point, three decimals
        d.rightMethod[i] = 1e308;
        d.rightWidening[i] = 2.5;
        d.leftWidth[i] = double(i + 1);
        d.leftMethod[i] = 2;
        d.leftWidening[i] = 0.125;
    }
    const auto texts = tableOf(d);
    ASSERT_EQ(texts.size(), 17u + 6u + 6u);
    const std::size_t width = 1 + 309 + 4;
    EXPECT_EQ(texts[18].size(), 20 * width + 19);
    EXPECT_EQ(texts[18].substr(0, 5), "-1699");
    EXPECT_EQ(texts[18].substr(texts[18].size() - 4), ".000");
    EXPECT_EQ(texts[20].size(), 20 * 309 + 19);
    EXPECT_EQ(texts[22], "2.500 2.500 2.500 2.500 2.500 2.500 2.500 2.500 2.500 2.500 2.500 "
                         "2.500 2.500 2.500 2.500 2.500 2.500 2.500 2.500 2.500");
    EXPECT_EQ(texts[23], cp932(kLeftHeading));
    EXPECT_EQ(texts[24], "1.000 2.000 3.000 4.000 5.000 6.000 7.000 8.000 9.000 10.000 11.000 "
                         "12.000 13.000 14.000 15.000 16.000 17.000 18.000 19.000 20.000");
    EXPECT_EQ(texts[26], "2 2 2 2 2 2 2 2 2 2 2 2 2 2 2 2 2 2 2 2");
}
