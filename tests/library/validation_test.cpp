#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "geometry/validation.h"
#include "korvane.h"
#include "params/c_locale.h"
#include "params/design_record.h"
#include "test_support.h"

using testing_support::MessageRecorder;
using Messages = std::vector<std::string>;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

const std::string kArcInvalid = "データが不正です a=IA-(t1+t2)<0 ";

// One wrong field in an otherwise valid design, and the one message it gives.
struct RejectedCase {
    const char *name;
    double *field;
    double value;
    const char *message;
};

// One unusual field that still gives a drawable design.
struct AcceptedCase {
    const char *name;
    double *field;
    double value;
};

const char *const kParametersInvalid = "パラメータが不正です。";

class Validation : public ::testing::Test {
protected:
    void SetUp() override {
        design = korvane::DesignRecord{};
        design.scale = 250;
        design.a1 = 100;
        design.a2 = 100;
        design.radius = 200;
        design.iaDegrees = 60;
        design.stationPitch = 20;
        design.centerPitch = 0.1;
        // A valid design: A1 = A2 = 100, R = 200, IA = 60° (a left turn, its
        // left lines inside), lanes 3.5 + 3.5 m right and 3 m left widened
        // linearly by 0.5 m, the KA at NO.0+0.
        design.rightWidth[0] = design.rightWidth[1] = 3.5;
        design.leftWidth[0] = 3;
        design.rightMethod[0] = design.rightMethod[1] = design.leftMethod[0] = 1;
        design.rightWidening[0] = design.rightWidening[1] = design.leftWidening[0] = 0.5;
    }

    // The check as data_chekvb makes it after reading the record.
    int validate() {
        korvane::CLocaleScope cLocale;
        return korvane::checkDesign(design);
    }

    // Each case alone gives its message and the result 0.
    template <std::size_t N> void expectEachRejected(const RejectedCase (&cases)[N]) {
        for (const RejectedCase &c : cases) {
            SCOPED_TRACE(c.name);
            SetUp();
            messages.clear();
            *c.field = c.value;
            EXPECT_EQ(validate(), 0);
            EXPECT_EQ(messages.utf8(), Messages{c.message});
        }
    }

    template <std::size_t N> void expectEachAccepted(const AcceptedCase (&cases)[N]) {
        for (const AcceptedCase &c : cases) {
            SCOPED_TRACE(c.name);
            SetUp();
            messages.clear();
            *c.field = c.value;
            EXPECT_EQ(validate(), 1);
            EXPECT_TRUE(messages.utf8().empty());
        }
    }

    korvane::DesignRecord design{};
    MessageRecorder messages;
};

} // namespace

TEST_F(Validation, ValidDesignPassesSilentlyAndLeavesTheAngles) {
    EXPECT_EQ(validate(), 1);
    EXPECT_TRUE(messages.utf8().empty());
    EXPECT_NEAR(design.angles.iaRadians, 1.0471976, 1e-7);
    EXPECT_DOUBLE_EQ(design.angles.tau1, 0.125);
    EXPECT_DOUBLE_EQ(design.angles.tau2, 0.125);
    EXPECT_NEAR(design.angles.arcAngle, 0.797198, 1e-6);
}

TEST_F(Validation, ScaleIsCheckedFirst) {
    design.scale = 0;
    design.a1 = -1;
    design.radius = 0;
    design.stationPitch = 0;
    design.centerPitch = kNaN;
    design.iaDegrees = 0;
    EXPECT_EQ(validate(), 0);
    EXPECT_EQ(messages.utf8(), Messages{"縮尺が不正です。"});
}

TEST_F(Validation, EachCheckInTurn) {
    const RejectedCase cases[] = {
        {"scale negative", &design.scale, -250, "縮尺が不正です。"},
        {"scale NaN", &design.scale, kNaN, "縮尺が不正です。"},
        {"a1 zero", &design.a1, 0, "パラメータが不正です。"},
        {"a2 negative", &design.a2, -100, "パラメータが不正です。"},
        {"radius zero", &design.radius, 0, "パラメータが不正です。"},
        {"radius NaN", &design.radius, kNaN, "パラメータが不正です。"},
        {"station pitch zero", &design.stationPitch, 0, "測点ピッチが不正です。"},
        {"station pitch negative", &design.stationPitch, -20, "測点ピッチが不正です。"},
        {"centre pitch zero", &design.centerPitch, 0, "計算ピッチが不正です。"},
        {"centre pitch NaN", &design.centerPitch, kNaN, "計算ピッチが不正です。"},
    };
    expectEachRejected(cases);
}

TEST_F(Validation, NonFiniteValuesAreRejected) {
    const RejectedCase cases[] = {
        {"infinite scale", &design.scale, kInf, "縮尺が不正です。"},
        {"infinite a1", &design.a1, kInf, "パラメータが不正です。"},
        {"infinite radius", &design.radius, kInf, "パラメータが不正です。"},
        {"infinite IA", &design.iaDegrees, kInf, "パラメータが不正です。"},
        {"IA not a number", &design.iaSeconds, kNaN, "パラメータが不正です。"},
        // Finite, but the arc would be longer than any number.
        {"IA beyond any arc", &design.iaDegrees, 1e308, "パラメータが不正です。"},
        {"infinite station pitch", &design.stationPitch, kInf, "測点ピッチが不正です。"},
        {"infinite centre pitch", &design.centerPitch, kInf, "計算ピッチが不正です。"},
    };
    expectEachRejected(cases);
}

TEST_F(Validation, ArcWithinAndBeyondTheTolerance) {
    // The clothoids need τ1 + τ2 = 0.25 rad.
    design.iaDegrees = 14;
    design.iaMinutes = 19;

    design.iaSeconds = 27; // |IA| = 0.2500039 rad
    EXPECT_EQ(validate(), 1);
    EXPECT_TRUE(messages.utf8().empty());

    design.iaSeconds = 25; // Lc ≈ −0.001165 m
    EXPECT_EQ(validate(), 0);
    EXPECT_EQ(messages.utf8(),
              (Messages{kArcInvalid, "\n円曲線長=｜-0.001165｜>0.0005m（許容誤差） 誤差範囲外なので計算中止\n"
                                     "又はＩ.Ａ.の精度を上げてください。"}));

    messages.clear();
    design.iaSeconds = 26; // Lc ≈ −0.000195 m
    EXPECT_EQ(validate(), 1);
    EXPECT_EQ(messages.utf8(),
              (Messages{kArcInvalid, "\n円曲線長=｜-0.000195｜<0.0005m（許容誤差） 誤差範囲内なので計算続行"}));
}

TEST_F(Validation, ZeroAngleFailsTheArcCheck) {
    design.iaDegrees = 0;
    EXPECT_EQ(validate(), 0);
    ASSERT_EQ(messages.utf8().size(), 2u);
    EXPECT_EQ(messages.utf8()[0], kArcInvalid);
    EXPECT_NE(messages.utf8()[1].find("｜-50.000000｜>0.0005m"), std::string::npos);
}

TEST_F(Validation, ClothoidStepsAreBounded) {
    // The first clothoid is 50 m long: 50 / 0.000001 = 5·10⁷ steps.
    design.centerPitch = 0.000001;
    EXPECT_EQ(validate(), 0);
    EXPECT_EQ(messages.utf8(), Messages{"計算ピッチが小さすぎます。"});

    // 5·10⁵ steps are drawn.
    messages.clear();
    design.centerPitch = 0.0001;
    EXPECT_EQ(validate(), 1);
    EXPECT_TRUE(messages.utf8().empty());

    // Only the second clothoid is too long: 100 m at 0.00008 m is 1.25·10⁶ steps,
    // the first (12.5 m) would be fine.
    design.a1 = 50;
    design.a2 = 141.4213562373095;
    design.centerPitch = 0.00008;
    EXPECT_EQ(validate(), 0);
    EXPECT_EQ(messages.utf8(), Messages{"計算ピッチが小さすぎます。"});
}

// The checks of the scale, the parameters, the two pitches and the arc come
// first, in their order: a design that one of them refuses gets exactly its
// messages, whatever else is wrong with it. Only a design they accept meets
// the further refusals. The arcs are Lc = (|IA| − (τ1 + τ2)) · R, with
// τ1 + τ2 = 0.25 rad for A = 100, R = 200 unless said otherwise.
TEST_F(Validation, FurtherRefusalsOnlyForADesignTheChecksAccept) {
    struct Case {
        const char *name;
        std::function<void(korvane::DesignRecord &)> change;
        Messages expected;
    };
    const auto arcRefused = [](const char *lc) {
        return Messages{kArcInvalid, std::string("\n円曲線長=｜") + lc +
                                         "｜>0.0005m（許容誤差） 誤差範囲外なので計算中止\n"
                                         "又はＩ.Ａ.の精度を上げてください。"};
    };
    const Case cases[] = {
        // 10.5° = 0.1832596 rad.
        {"IA with decimal degrees", [](auto &d) { d.iaDegrees = 10.5; }, arcRefused("-13.348086")},
        // 10°30.5' = 0.1834050 rad.
        {"IA with decimal minutes", [](auto &d) { d.iaDegrees = 10; d.iaMinutes = 30.5; }, arcRefused("-13.318997")},
        // A = 400: τ1 + τ2 = 4 rad against 200° = 3.4906585 rad.
        {"IA of a half turn and more",
         [](auto &d) { d.a1 = d.a2 = 400; d.iaDegrees = 200; }, arcRefused("-101.868299")},
        // A = 1000, R = 1: τ1 + τ2 = 10⁶ rad against 10° = 0.1745329 rad.
        {"clothoids beyond a full turn",
         [](auto &d) { d.a1 = d.a2 = 1000; d.radius = 1; d.iaDegrees = 10; }, arcRefused("-999999.825467")},
        {"computation pitch too small",
         [](auto &d) { d.centerPitch = 1e-6; d.iaDegrees = 10; }, arcRefused("-15.093415")},
        {"negative lane width", [](auto &d) { d.rightWidth[0] = -3.5; d.iaDegrees = 10; }, arcRefused("-15.093415")},
        {"KA plus of a whole pitch",
         [](auto &d) { d.kaStationPlus = 20; d.iaDegrees = 10; }, arcRefused("-15.093415")},
        {"labels beyond their field",
         [](auto &d) { d.kaStationNo = 999999990; d.iaDegrees = 10; }, arcRefused("-15.093415")},
        {"IA of a half turn and no station pitch",
         [](auto &d) { d.iaDegrees = 200; d.stationPitch = 0; }, {"測点ピッチが不正です。"}},
        {"IA with decimals and no computation pitch",
         [](auto &d) { d.iaDegrees = 60.5; d.centerPitch = 0; }, {"計算ピッチが不正です。"}},
        // Lc = (60° − 100 rad) · 10⁻¹⁰ m is within the tolerance: the arc is
        // accepted with its warnings, and then the clothoids that turn by
        // τ = 50 rad each are refused.
        {"clothoids beyond a full turn on an arc within the tolerance",
         [](auto &d) { d.a1 = d.a2 = 1e-9; d.radius = 1e-10; },
         {kArcInvalid, "\n円曲線長=｜-0.000000｜<0.0005m（許容誤差） 誤差範囲内なので計算続行", kParametersInvalid}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        messages.clear();
        c.change(design);
        EXPECT_EQ(validate(), 0);
        EXPECT_EQ(messages.utf8(), c.expected);
    }
}

TEST_F(Validation, ThroughTheParameterFile) {
    testing_support::TempDir dir;
    const std::string path = dir.file("ALN_TXT_.DAT");

    testing_support::writeFile(path, testing_support::kSampleParameterText);
    EXPECT_EQ(data_chekvb(path.c_str()), 1);
    EXPECT_TRUE(messages.utf8().empty());
    EXPECT_GT(korvane::design.angles.arcAngle, 0); // left in the library's record

    // The same file with the centre pitch 0.
    std::string text = testing_support::kSampleParameterText;
    const std::string pitchLine = "\n0.1\nL\n";
    text.replace(text.find(pitchLine), pitchLine.size(), "\n0\nL\n");
    testing_support::writeFile(path, text);
    messages.clear();
    EXPECT_EQ(data_chekvb(path.c_str()), 0);
    EXPECT_EQ(messages.utf8(), Messages{"計算ピッチが不正です。"});

    messages.clear();
    EXPECT_EQ(data_chekvb(dir.file("missing.DAT").c_str()), 0);
    EXPECT_EQ(messages.utf8(), Messages{"Can't open ALN_TXT_.DAT (設定ﾌｧｲﾙ)file"});
}

// Lane lines, stationing and angles that the drawing could only turn into
// nonsense are refused with the parameters.
TEST_F(Validation, LaneDataStationingAndAnglesThatCannotBeDrawn) {
    const RejectedCase cases[] = {
        {"negative first width", &design.rightWidth[0], -3.5, kParametersInvalid},
        {"negative second width", &design.rightWidth[1], -1, kParametersInvalid},
        {"width not a number", &design.leftWidth[0], kNaN, kParametersInvalid},
        {"infinite width", &design.rightWidth[1], kInf, kParametersInvalid},
        {"widening not a number", &design.leftWidening[0], kNaN, kParametersInvalid},
        {"infinite widening", &design.rightWidening[1], -kInf, kParametersInvalid},
        // Left turn: 199.5 m + 0.5 m of widening reach the arc's centre.
        {"inner line at the radius", &design.leftWidth[0], 199.5, kParametersInvalid},
        // Narrowed by its whole offset of 3 m onto the centre line.
        {"narrowed onto the centre line", &design.leftWidening[0], -3, kParametersInvalid},
        {"negative KA plus", &design.kaStationPlus, -10.407, kParametersInvalid},
        {"KA plus of a whole pitch", &design.kaStationPlus, 20, kParametersInvalid},
        {"KA plus not a number", &design.kaStationPlus, kNaN, kParametersInvalid},
        {"KA station not whole", &design.kaStationNo, 10.5, kParametersInvalid},
        {"infinite KA station", &design.kaStationNo, kInf, kParametersInvalid},
        // CL = 50 + 159.43951 + 50 m: the last label would be
        // NO.1000000002+…, 20 characters with a plus of up to "20.000".
        {"labels beyond their field", &design.kaStationNo, 999999990, kParametersInvalid},
        {"negative labels beyond their field", &design.kaStationNo, -999999999, kParametersInvalid},
        // The element table shows IA in whole degrees and minutes.
        {"IA with decimal degrees", &design.iaDegrees, 60.5, kParametersInvalid},
        {"IA with decimal minutes", &design.iaMinutes, 0.25, kParametersInvalid},
        {"IA with negative decimal minutes", &design.iaMinutes, -0.5, kParametersInvalid},
    };
    expectEachRejected(cases);

    const AcceptedCase accepted[] = {
        {"inner line just within the radius", &design.leftWidth[0], 199.4},
        {"outer line beyond the radius", &design.rightWidth[0], 300},
        {"narrowing", &design.leftWidening[0], -2.9},
        {"widening method 3", &design.rightMethod[0], 3},
        {"widening of a line not in use", &design.rightWidening[2], kNaN},
        {"KA plus just below the pitch", &design.kaStationPlus, 19.999},
        {"negative KA station", &design.kaStationNo, -3},
        // The last label NO.999999992+… has 19 characters.
        {"labels filling their field", &design.kaStationNo, 999999980},
        {"IA with decimal seconds", &design.iaSeconds, 44.444},
        {"IA in whole degrees written with a point", &design.iaDegrees, 60.0},
    };
    expectEachAccepted(accepted);

    // A small angle to the right, as the world placement writes it: the minus
    // on the minutes (or the seconds). A = 3: τ1 + τ2 = 2.25·10⁻⁴ rad = 46.4".
    for (const auto &[minutes, seconds] : {std::pair{-30.0, 0.0}, std::pair{0.0, -50.5}}) {
        SCOPED_TRACE(minutes);
        SetUp();
        messages.clear();
        design.a1 = design.a2 = 3;
        design.iaDegrees = 0;
        design.iaMinutes = minutes;
        design.iaSeconds = seconds;
        EXPECT_EQ(validate(), 1);
        EXPECT_TRUE(messages.utf8().empty());
        EXPECT_LT(design.angles.iaRadians, 0);
    }

    // A right turn has its right lines inside: 197 + 3.5 + 0.5 m > 200 m.
    SetUp();
    messages.clear();
    design.iaDegrees = -60;
    design.rightWidth[0] = 197;
    EXPECT_EQ(validate(), 0);
    EXPECT_EQ(messages.utf8(), Messages{kParametersInvalid});
}
