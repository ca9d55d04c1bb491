// save_DXF draws the design of the file it reads, whatever an earlier
// data_chekvb or save_DXF left in the library: a drawing after the check or
// the drawing of another design is, but for its entity handles, the drawing
// made from a clean record; and a design that the checks refuse is refused by
// save_DXF too, with the same messages and without touching the output.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "drawing/dxf_writer.h"
#include "drawing/pipeline.h"
#include "drawing_support.h"
#include "korvane.h"
#include "params/c_locale.h"
#include "params/design_record.h"
#include "test_support.h"

using drawing_support::Design;
using drawing_support::templatePath;
using testing_support::kSampleParameterText;
using testing_support::MessageRecorder;
using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;
using Messages = std::vector<std::string>;

namespace {

// A right turn with lanes on both sides and normals on all three elements:
// every angle of the sample (a left turn) would show in it.
Design otherDesign() {
    Design d;
    d.ia = "-60 0 0";
    d.centerPitch = "0.5";
    d.right = {{3.5, 1, 0.5}, {3.0, 2, 1.0}};
    d.left = {{3.0, 0, 0}};
    d.intervals = "10 20 100 100";
    return d;
}

// The entity handles of a drawing renumbered from 66 on, in file order, as
// the first drawing after the library's load carries them.
std::string handlesFromLoad(const std::string &dxf) {
    std::string out;
    std::size_t at = 0;
    bool inEntities = false;
    unsigned long long next = korvane::kHandleAtLoad;
    std::string code;
    while (at < dxf.size()) {
        std::size_t end = dxf.find('\n', at);
        if (end == std::string::npos) end = dxf.size();
        std::string line = dxf.substr(at, end - at);
        at = end + 1;
        if (inEntities && code == "5") {
            char hex[24];
            std::snprintf(hex, sizeof hex, "%llX", ++next);
            line = hex;
        }
        if (line == "ENTITIES") inEntities = true;
        code = code.empty() ? line : std::string();
        out += line + "\n";
    }
    return out;
}

// The drawing of a design from a clean record with a new counter of handles
// and new buffers.
std::string drawnFromCleanRecord(const TempDir &dir, const std::string &parameterText) {
    const std::string param = dir.file("clean.DAT");
    const std::string output = dir.file("clean.dxf");
    writeFile(param, parameterText);
    korvane::DesignRecord record{};
    korvane::EntityHandles handles;
    korvane::DrawingBuffers buffers;
    korvane::CLocaleScope cLocale;
    MessageRecorder quiet;
    EXPECT_EQ(korvane::saveDxf(output.c_str(), param.c_str(), templatePath().c_str(), dir.file("clean-temp.dxf").c_str(),
                               record, handles, buffers),
              1);
    return readFile(output);
}

} // namespace

TEST(DrawnDesign, CheckOfOneDesignThenDrawingOfAnotherDrawsTheOther) {
    TempDir dir;
    const std::string param = dir.file("ALN_TXT_.DAT");
    const std::string temp = dir.file("temp.dxf");
    // Through the exports: first the design given, checked, then the other
    // design written to the same file and drawn.
    auto draw = [&](const std::string &name, const std::string &checked) {
        MessageRecorder recorder;
        if (!checked.empty()) {
            writeFile(param, checked);
            EXPECT_EQ(data_chekvb(param.c_str()), 1) << name;
        }
        writeFile(param, otherDesign().parameterText());
        EXPECT_EQ(save_DXF(dir.file(name + ".dxf").c_str(), param.c_str(), templatePath().c_str(), temp.c_str()),
                  1)
            << name;
        EXPECT_EQ(recorder.utf8(), Messages{}) << name;
        return handlesFromLoad(readFile(dir.file(name + ".dxf")));
    };

    const std::string clean = drawnFromCleanRecord(dir, otherDesign().parameterText());
    ASSERT_GT(clean.size(), 10000u);
    EXPECT_EQ(clean.compare(clean.size() - 6, 6, "0\nEOF\n"), 0);
    EXPECT_TRUE(clean == handlesFromLoad(clean)) << "a clean counter starts at 66";
    EXPECT_TRUE(draw("alone", otherDesign().parameterText()) == clean) << "drawn after its own check";
    EXPECT_TRUE(draw("after-sample", kSampleParameterText) == clean) << "drawn after the check of the sample";
    EXPECT_TRUE(draw("unchecked", "") == clean) << "drawn without a check";
}

// A station direction other than L or R labels no normal line: its labels
// are empty, also after the drawing of a design whose normals were labelled.
TEST(DrawnDesign, NoLabelsLeftOverFromAnEarlierDrawing) {
    TempDir dir;
    Design unlabelled = otherDesign();
    unlabelled.direction = "X";
    const std::string clean = drawnFromCleanRecord(dir, unlabelled.parameterText());
    const drawing_support::Drawing drawing = drawing_support::readDrawing(clean);
    int emptyTexts = 0;
    for (const auto *text : drawing.ofType("TEXT"))
        if (text->text(1).empty()) ++emptyTexts;
    EXPECT_EQ(emptyTexts, 4); // at 10, 30, 130 and 230 m

    const std::string param = dir.file("ALN_TXT_.DAT");
    const std::string temp = dir.file("temp.dxf");
    MessageRecorder recorder;
    for (const Design &design : {otherDesign(), unlabelled}) {
        writeFile(param, design.parameterText());
        ASSERT_EQ(data_chekvb(param.c_str()), 1);
        ASSERT_EQ(save_DXF(dir.file("out.dxf").c_str(), param.c_str(), templatePath().c_str(), temp.c_str()), 1);
    }
    EXPECT_TRUE(handlesFromLoad(readFile(dir.file("out.dxf"))) == clean);
    EXPECT_TRUE(recorder.utf8().empty());
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
        {"IA with decimal degrees", [](Design &d) { d.ia = "66.5 0 0"; }, {parametersInvalid}},
        {"IA with decimal minutes", [](Design &d) { d.ia = "66 55.5 0"; }, {parametersInvalid}},
        // What the arc check refuses gets its messages only: IA 10.5° =
        // 0.1832596 rad, Lc = (0.1832596 − 0.40625) · 200 = −44.598086 m.
        {"IA with decimals below the clothoids' angles", [](Design &d) { d.ia = "10.5 0 0"; },
         {"データが不正です a=IA-(t1+t2)<0 ",
          "\n円曲線長=｜-44.598086｜>0.0005m（許容誤差） 誤差範囲外なので計算中止\n"
          "又はＩ.Ａ.の精度を上げてください。"}},
        {"negative lane width and IA below the clothoids' angles",
         [](Design &d) {
             d.right = {{-3, 1, 0.5}};
             d.ia = "10 0 0";
         },
         {"データが不正です a=IA-(t1+t2)<0 ",
          "\n円曲線長=｜-46.343415｜>0.0005m（許容誤差） 誤差範囲外なので計算中止\n"
          "又はＩ.Ａ.の精度を上げてください。"}},
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
