// save_DXF draws the design of the file it reads, whatever an earlier
// data_chekvb left in the library: a drawing after the check of another design
// is the drawing of its own design, byte for byte, and a design that the
// checks refuse is refused by save_DXF too, with the same messages and without
// touching the output.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "drawing_support.h"
#include "fresh_library.h"
#include "korvane.h"
#include "test_support.h"

using drawing_support::Design;
using drawing_support::templatePath;
using fresh_library::FreshLibrary;
using testing_support::kSampleParameterText;
using testing_support::MessageRecorder;
using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;
using Messages = std::vector<std::string>;

namespace {

// A right turn with lanes on both sides and normals on all three elements:
// every angle of the sample (a left turn) would show in it.
std::string otherDesign() {
    Design d;
    d.ia = "-60 0 0";
    d.centerPitch = "0.5";
    d.right = {{3.5, 1, 0.5}, {3.0, 2, 1.0}};
    d.left = {{3.0, 0, 0}};
    d.intervals = "10 20 100 100";
    return d.parameterText();
}

} // namespace

TEST(DrawnDesign, CheckOfOneDesignThenDrawingOfAnotherDrawsTheOther) {
    TempDir dir;
    const std::string param = dir.file("ALN_TXT_.DAT");
    const std::string temp = dir.file("temp.dxf");
    auto draw = [&](const std::string &name, const std::string &checked) {
        FreshLibrary library(dir, name);
        EXPECT_TRUE(library.loaded()) << name;
        if (!library.loaded()) return std::string();
        if (!checked.empty()) {
            writeFile(param, checked);
            EXPECT_EQ(library.check(param), 1) << name;
        }
        writeFile(param, otherDesign());
        EXPECT_EQ(library.save(dir.file(name + ".dxf"), param, templatePath(), temp), 1) << name;
        EXPECT_EQ(FreshLibrary::takeMessages(), Messages{}) << name;
        return readFile(dir.file(name + ".dxf"));
    };

    const std::string alone = draw("alone", otherDesign());
    const std::string afterSample = draw("after-sample", kSampleParameterText);
    const std::string unchecked = draw("unchecked", "");

    ASSERT_GT(alone.size(), 10000u);
    EXPECT_EQ(alone.compare(alone.size() - 6, 6, "0\nEOF\n"), 0);
    EXPECT_TRUE(afterSample == alone) << "drawn after the check of the sample";
    EXPECT_TRUE(unchecked == alone) << "drawn without a check";
}

// After a successful check of the sample, each design below is written to the
// same file and given straight to save_DXF.
TEST(DrawnDesign, EachRefusingCheckRefusesTheDrawingAndWritesNothing) {
    struct Case {
        const char *name;
        std::function<void(Design &)> change;
        Messages messages;
    };
    const std::string parametersInvalid = "パラメータが不正です。";
    const std::vector<Case> cases = {
        {"scale 0", [](Design &d) { d.scale = "0"; }, {"縮尺が不正です。"}},
        {"A1 0", [](Design &d) { d.a1 = "0"; }, {parametersInvalid}},
        {"IA 200 degrees", [](Design &d) { d.ia = "200 0 0"; }, {parametersInvalid}},
        {"station pitch 0", [](Design &d) { d.stationPitch = "0"; }, {"測点ピッチが不正です。"}},
        {"centre pitch 0", [](Design &d) { d.centerPitch = "0"; }, {"計算ピッチが不正です。"}},
        // 50 m of first clothoid at 0.00001 m: 5·10⁶ steps.
        {"centre pitch too small", [](Design &d) { d.centerPitch = "0.00001"; },
         {"計算ピッチが小さすぎます。"}},
        // τ1 + τ2 = 0.125 + 0.28125 rad against IA 10° = 0.1745329252 rad:
        // Lc = (0.1745329252 − 0.40625) · 200 = −46.3434150 m.
        {"IA below the clothoids' angles", [](Design &d) { d.ia = "10 0 0"; },
         {"データが不正です a=IA-(t1+t2)<0 ",
          "\n円曲線長=｜-46.343415｜>0.0005m（許容誤差） 誤差範囲外なので計算中止\n"
          "又はＩ.Ａ.の精度を上げてください。"}},
        {"negative lane width", [](Design &d) { d.right = {{-3, 1, 0.5}}; }, {parametersInvalid}},
        {"negative KA plus", [](Design &d) { d.kaStationPlus = "-10.407"; }, {parametersInvalid}},
    };

    TempDir dir;
    const std::string param = dir.file("ALN_TXT_.DAT");
    const std::string output = dir.file("out.dxf");
    const std::string temp = dir.file("temp.dxf");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(param, kSampleParameterText);
        {
            MessageRecorder quiet;
            ASSERT_EQ(data_chekvb(param.c_str()), 1);
        }
        Design d;
        c.change(d);
        writeFile(param, d.parameterText());
        writeFile(output, "the previous drawing");

        MessageRecorder recorder;
        EXPECT_EQ(save_DXF(output.c_str(), param.c_str(), templatePath().c_str(), temp.c_str()), 0);
        EXPECT_EQ(recorder.utf8(), c.messages);
        EXPECT_EQ(readFile(output), "the previous drawing");
        EXPECT_FALSE(std::filesystem::exists(temp));

        // The check of the same file says the same.
        recorder.clear();
        EXPECT_EQ(data_chekvb(param.c_str()), 0);
        EXPECT_EQ(recorder.utf8(), c.messages);
    }
}
