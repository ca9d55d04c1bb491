#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "drawing/dxf_writer.h"
#include "drawing/header_template.h"
#include "params/cp932.h"
#include "platform_skip.h"
#include "writer_test_support.h"

using namespace writer_testing;
using korvane::StreamSlot;

namespace {

class HeaderTemplate : public DrawingRunTest {
protected:
    // Copies a template of the given text; returns the result.
    int copy(const std::string &templateText) {
        templatePath = dir.file("template.dxf");
        testing_support::writeFile(templatePath, templateText);
        return korvane::copyHeaderTemplate(newRun().streams(), templatePath.c_str(), design.scale);
    }
    int copy(const std::string &templateText, const korvane::HeaderChanges &changes) {
        templatePath = dir.file("template.dxf");
        testing_support::writeFile(templatePath, templateText);
        return korvane::copyHeaderTemplate(newRun().streams(), templatePath.c_str(), changes);
    }
    std::string output() const { return testing_support::readFile(outputPath); }

    std::string templatePath;
};

const std::string kHead = "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1009\n";
const std::string kTail = "0\nENDSEC\n0\nSECTION\n2\nENTITIES\n";

} // namespace

TEST_F(HeaderTemplate, ExtmaxIsRewrittenForTheScale) {
    ASSERT_EQ(copy(kHead + "9\n$EXTMIN\n10\n0.0\n20\n0.0\n9\n$EXTMAX\n10\n0.0\n20\n0.0\n30\n0.0\n" +
                   kTail),
              1);
    // 841 x 250 and 594 x 250; $EXTMIN and the 30 group stay as they are.
    EXPECT_EQ(output(), kHead + "9\n$EXTMIN\n10\n0.0\n20\n0.0\n9\n$EXTMAX\n10\n210250\n20\n148500\n"
                                "30\n0.0\n" + kTail);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(streams().stream(StreamSlot::output), nullptr);
    EXPECT_EQ(streams().stream(StreamSlot::input), nullptr);
}

TEST_F(HeaderTemplate, ExtentsThatAreNotWholeAreRounded) {
    design.scale = 1.3; // 1093.3 and 772.2
    ASSERT_EQ(copy("9\n$EXTMAX\n10\n1.0\n20\n2.0\n"), 1);
    EXPECT_EQ(output(), "9\n$EXTMAX\n10\n1093\n20\n772\n");
    design.scale = 1.7; // 1429.7 and 1009.8
    ASSERT_EQ(copy("9\n$EXTMAX\n10\n1.0\n20\n2.0\n"), 1);
    EXPECT_EQ(output(), "9\n$EXTMAX\n10\n1430\n20\n1010\n");
}

TEST_F(HeaderTemplate, TemplatesWithoutExtmaxOrWithAnOddLineCountAreCopiedUnchanged) {
    const std::string plain = kHead + "9\n$EXTMIN\n10\n5.0\n20\n6.0\n" + kTail;
    ASSERT_EQ(copy(plain), 1);
    EXPECT_EQ(output(), plain);

    ASSERT_EQ(copy(plain + "999"), 1); // last line, no line end
    EXPECT_EQ(output(), plain + "999");
    ASSERT_EQ(copy(plain + "999\n"), 1);
    EXPECT_EQ(output(), plain + "999\n");

    // "$EXTMAX" on the first line of a pair is a value, not a variable name.
    const std::string shifted = "9\n9\n$EXTMAX\n10\n0.0\n20\n0.0\n";
    ASSERT_EQ(copy(shifted), 1);
    EXPECT_EQ(output(), shifted);
}

TEST_F(HeaderTemplate, LinesLongerThanTheBufferAreSplitAndShiftThePairs) {
    // The 250-character line comes as two pieces, so the "$EXTMAX" after it
    // lands on the first line of a pair and is copied as it stands.
    const std::string text = "999\n" + std::string(250, 'x') + "\n9\n$EXTMAX\n10\n0.0\n20\n0.0\n";
    ASSERT_EQ(copy(text), 1);
    EXPECT_EQ(output(), text);
    // A 198-character line still fits: the pairs stay, $EXTMAX is rewritten.
    const std::string fits = "999\n" + std::string(198, 'x') + "\n9\n$EXTMAX\n10\n0.0\n20\n0.0\n";
    ASSERT_EQ(copy(fits), 1);
    EXPECT_EQ(output(), "999\n" + std::string(198, 'x') + "\n9\n$EXTMAX\n10\n210250\n20\n148500\n");
}

// A drawing with a sheet of its own extent, its own line-type scale, a line
// type and a layer: both extents and the scale written anew, the entries at
// the head of their tables, whose counts grow by one.
TEST_F(HeaderTemplate, ChangesOfADrawingOfItsOwn) {
    const std::string variables = "9\n$EXTMIN\n10\n0.0\n20\n0.0\n9\n$EXTMAX\n10\n0.0\n20\n0.0\n9\n$LTSCALE\n40\n250.0\n";
    const std::string tables = "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLTYPE\n70\n1\n0\nLTYPE\n2\nCONTINUOUS\n70\n0\n"
                               "0\nENDTAB\n0\nTABLE\n2\nLAYER\n70\n     1\n0\nLAYER\n2\n0\n70\n0\n0\nENDTAB\n0\nENDSEC\n";
    const korvane::HeaderChanges changes{{300.4, 400.6},
                                         korvane::Point{-100.6, -200.4},
                                         500.0,
                                         {{"DASHED", "Dashed __ __", {12.7, -6.35}}},
                                         {{"D-BMK-IP", 8, "DASHED"}}};
    ASSERT_EQ(copy(kHead + variables + "0\nENDSEC\n" + tables + kTail, changes), 1);
    EXPECT_EQ(output(), kHead + "9\n$EXTMIN\n10\n-101\n20\n-200\n9\n$EXTMAX\n10\n300\n20\n401\n"
                                "9\n$LTSCALE\n40\n500.000000\n0\nENDSEC\n"
                                "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLTYPE\n70\n2\n"
                                "0\nLTYPE\n2\nDASHED\n70\n0\n3\nDashed __ __\n72\n65\n73\n2\n40\n19.050000\n"
                                "49\n12.700000\n49\n-6.350000\n"
                                "0\nLTYPE\n2\nCONTINUOUS\n70\n0\n0\nENDTAB\n0\nTABLE\n2\nLAYER\n70\n2\n"
                                "0\nLAYER\n2\nD-BMK-IP\n70\n0\n62\n8\n6\nDASHED\n"
                                "0\nLAYER\n2\n0\n70\n0\n0\nENDTAB\n0\nENDSEC\n" + kTail);
    EXPECT_TRUE(messages().empty());

    // A layer with no LAYER table to go into is no drawing to make.
    ASSERT_EQ(copy(kHead + variables + kTail, changes), 0);
    EXPECT_EQ(messages(), std::vector<std::string>{"ヘッダーテンプレートに LTYPE の表がありません。"});
    EXPECT_EQ(streams().stream(StreamSlot::output), nullptr);
}

TEST_F(HeaderTemplate, AMissingTemplateCreatesNoOutput) {
    EXPECT_EQ(korvane::copyHeaderTemplate(streams(), dir.file("absent.dxf").c_str(), design.scale), 0);
    EXPECT_EQ(messages(), std::vector<std::string>{"Can't open ALN_HDR_.DXF(DXFﾍｯﾀﾞｰﾌｧｲﾙ) file"});
    EXPECT_FALSE(std::filesystem::exists(outputPath));
    // The message reaches the host as cp932 (half-width katakana single bytes).
    EXPECT_EQ(recorder.cp932().front(), "Can't open ALN_HDR_.DXF(DXF\xCD\xAF\xC0\xDE\xB0\xCC\xA7\xB2\xD9) file");
}

TEST_F(HeaderTemplate, AnOutputThatCannotBeCreatedClosesTheTemplate) {
    setPath(design.outputPath, dir.file("no/such/folder/out.dxf"));
    EXPECT_EQ(copy(kHead + kTail), 0);
    EXPECT_EQ(messages(), std::vector<std::string>{"Can't open 新DXF file"});
    EXPECT_EQ(streams().stream(StreamSlot::input), nullptr);
    EXPECT_EQ(streams().stream(StreamSlot::output), nullptr);
}

TEST_F(HeaderTemplate, AHeaderThatCannotBeWrittenIsNotReportedAsCopied) {
    KORVANE_SKIP_ON_WINDOWS("no device like /dev/full that refuses every write");
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    setPath(design.outputPath, "/dev/full");
    EXPECT_EQ(copy(kHead + "9\n$EXTMAX\n10\n0.0\n20\n0.0\n" + kTail), 0);
    EXPECT_EQ(messages(), std::vector<std::string>{"fprintfｴﾗｰ"});
    EXPECT_EQ(streams().stream(StreamSlot::input), nullptr);
    EXPECT_EQ(streams().stream(StreamSlot::output), nullptr);
    EXPECT_TRUE(streams().writeFailed());
}

TEST(ShippedHeaderTemplate, OpensTheEntitiesSectionAndFitsTheLineBuffer) {
    const std::string text = testing_support::readFile(testing_support::sourceDir() + "/data/aln_hdr_.dxf");
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.find('\r'), std::string::npos);
    const std::vector<std::string> lines = splitLines(text);
    ASSERT_EQ(lines.size() % 2, 0u);
    bool extmaxRewritable = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_LE(lines[i].size(), 198u) << "line " << i + 1;
        // Recognised only as the second line of a pair, followed by 10 and 20.
        if (lines[i] == "$EXTMAX" && i % 2 == 1 && i + 4 < lines.size() && lines[i + 1] == "10" &&
            lines[i + 3] == "20")
            extmaxRewritable = true;
    }
    EXPECT_TRUE(extmaxRewritable);
    // Handles on, with the seed above every handle the writers give out.
    EXPECT_NE(text.find("\n9\n$HANDLING\n70\n1\n"), std::string::npos);
    EXPECT_NE(text.find("\n9\n$HANDSEED\n5\n" + hexUpper(korvane::kHandleSeed) + "\n"), std::string::npos);
    EXPECT_NE(text.find("\n9\n$DWGCODEPAGE\n3\nANSI_932\n"), std::string::npos);
    EXPECT_TRUE(text.ends_with("0\nSECTION\n2\nENTITIES\n"));
    EXPECT_EQ(korvane::cp932ToUtf8(text).find("\xEF\xBF\xBD"), std::string::npos);
}
