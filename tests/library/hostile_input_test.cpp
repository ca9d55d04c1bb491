// Hostile numbers in a hand-edited parameter file: every numeric field set in
// turn to NaN, infinities, -0, the largest and denormal doubles; angles of a
// half turn and more; a clothoid parameter far above the radius; full lane and
// interval lists. Each design is either refused with a message and 0, or
// drawn completely with finite numbers only.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "drawing_support.h"
#include "test_support.h"

using drawing_support::drawDesign;
using drawing_support::DrawingRun;
using testing_support::TempDir;

namespace {

// A small design (few vertices) whose tokens are replaced one by one: two
// lane lines a side with linear and higher-order widening, three normals.
const std::vector<std::vector<std::string>> kBaseLines = {
    {"250"},
    {"DXF", "dxf"},
    {"60"},
    {"50"},
    {"100"},
    {"70", "10", "20"},
    {"3.5", "2", "0.0"},
    {"1", "2"},
    {"0.5", "0.25"},
    {"3", "1.5", "0.0"},
    {"2", "0"},
    {"0.75", "0"},
    {"2"},
    {"L"},
    {"20"},
    {"3"},
    {"4.5"},
    {"10", "20", "30", "1000."},
    {"CENTER2", "1"},
    {"DOT", "1"},
    {"CONTINUOUS", "1"},
    {"E"},
};

struct Field {
    std::size_t line;
    std::size_t token;
    const char *name;
};

// Numeric tokens of the file, at least one of each kind (the end marks and
// the words excluded).
const std::vector<Field> kNumericFields = {
    {0, 0, "scale"},          {2, 0, "A1"},           {3, 0, "A2"},
    {4, 0, "R"},              {5, 0, "IA degrees"},   {5, 1, "IA minutes"},
    {5, 2, "IA seconds"},     {6, 0, "right width 1"}, {6, 1, "right width 2"},
    {7, 0, "right method 1"}, {7, 1, "right method 2"}, {8, 0, "right widening 1"},
    {8, 1, "right widening 2"}, {9, 0, "left width 1"}, {9, 1, "left width 2"},
    {10, 0, "left method 1"}, {11, 0, "left widening 1"}, {12, 0, "centre pitch"},
    {14, 0, "station pitch"}, {15, 0, "KA station"},  {16, 0, "KA plus"},
    {17, 0, "interval 1"},    {17, 1, "interval 2"},  {18, 1, "line style 1"},
};

const std::vector<std::string> kHostileValues = {
    "nan", "-nan", "inf", "-inf", "-0", "1e308", "-1e308", "4.9e-324", "2.2250738585072014e-308",
    "1.7976931348623157e308",
};

std::string parameterText(const std::vector<std::vector<std::string>> &lines) {
    std::string text;
    for (const auto &line : lines) {
        for (std::size_t i = 0; i < line.size(); ++i) text += (i ? " " : "") + line[i];
        text += "\n";
    }
    return text;
}

// A coordinate, size or angle (group codes 10 to 59) that is not a finite
// number: no DXF reader takes it. Texts may echo whatever the file held.
bool holdsNonFiniteNumber(const std::string &content) {
    std::size_t at = 0;
    auto nextLine = [&](std::string &line) {
        if (at >= content.size()) return false;
        std::size_t end = content.find('\n', at);
        if (end == std::string::npos) end = content.size();
        line = content.substr(at, end - at);
        at = end + 1;
        return true;
    };
    std::string code, value;
    while (nextLine(code) && nextLine(value)) {
        const int group = std::atoi(code.c_str());
        if (group < 10 || group > 59) continue;
        char *end = nullptr;
        const double number = std::strtod(value.c_str(), &end);
        if (!std::isfinite(number) || end == value.c_str()) return true;
    }
    return false;
}

using Messages = std::vector<std::string>;

const std::string kScaleInvalid = "縮尺が不正です。";
const std::string kParametersInvalid = "パラメータが不正です。";
const std::string kWriteFailed = "fprintfｴﾗｰ";
const std::string kArcInvalid = "データが不正です a=IA-(t1+t2)<0 ";

// The two messages of an arc refused for its negative length Lc.
Messages arcRefused(const std::string &lc) {
    return {kArcInvalid, "\n円曲線長=｜" + lc + "｜>0.0005m（許容誤差） 誤差範囲外なので計算中止\n"
                                               "又はＩ.Ａ.の精度を上げてください。"};
}

std::size_t countOf(const std::string &content, const std::string &what) {
    std::size_t n = 0;
    for (std::size_t at = content.find(what); at != std::string::npos; at = content.find(what, at + 1)) ++n;
    return n;
}

bool endsWithEof(const std::string &content) {
    const std::string tail = "0\nEOF\n";
    return content.size() >= tail.size() && content.compare(content.size() - tail.size(), tail.size(), tail) == 0;
}

} // namespace

// What each run must give: refused with a message, or drawn to the end with
// finite numbers only. Where the outcome is fixed (the validated fields), the
// exact messages are checked too.
TEST(HostileNumbers, EveryNumericFieldWithEveryHostileValue) {
    // The validated fields: a value that is not a positive finite number is
    // refused by its check; so is a clothoid parameter or radius whose angles
    // overflow (A² or R² beyond the largest double) or vanish into 0/0.
    const std::map<std::pair<std::string, std::string>, Messages> refused = [] {
        std::map<std::pair<std::string, std::string>, Messages> m;
        for (const char *v : {"nan", "-nan", "inf", "-inf", "-0", "-1e308"}) {
            m[{"scale", v}] = {kScaleInvalid};
            for (const char *f : {"A1", "A2", "R"}) m[{f, v}] = {kParametersInvalid};
            m[{"station pitch", v}] = {"測点ピッチが不正です。"};
            m[{"centre pitch", v}] = {"計算ピッチが不正です。"};
        }
        for (const char *f : {"A1", "A2"})
            for (const char *v : {"1e308", "1.7976931348623157e308"}) m[{f, v}] = {kParametersInvalid};
        for (const char *v : {"4.9e-324", "2.2250738585072014e-308", "1.7976931348623157e308"})
            m[{"R", v}] = {kParametersInvalid};
        // IA not a number, or a half turn and more.
        for (const char *f : {"IA degrees", "IA minutes", "IA seconds"})
            for (const char *v : {"nan", "-nan", "inf", "-inf", "1e308", "-1e308", "1.7976931348623157e308"})
                m[{f, v}] = {kParametersInvalid};
        // Lane lines at an offset that is not a finite positive number, and
        // widening amounts that are not finite.
        for (const char *f : {"right width 1", "right width 2", "left width 1", "left width 2"})
            for (const char *v : {"nan", "-nan", "inf", "-inf", "-1e308"}) m[{f, v}] = {kParametersInvalid};
        for (const char *f : {"right widening 1", "right widening 2", "left widening 1"})
            for (const char *v : {"nan", "-nan", "inf", "-inf"}) m[{f, v}] = {kParametersInvalid};
        // The inner (left) lines of this left turn beyond the radius of 100 m.
        for (const char *f : {"left width 1", "left width 2"})
            for (const char *v : {"1e308", "1.7976931348623157e308"}) m[{f, v}] = {kParametersInvalid};
        // A KA station that is no whole number or whose labels outgrow their
        // field, a KA plus outside 0 up to the station pitch.
        for (const char *v : {"nan", "-nan", "inf", "-inf", "1e308", "-1e308", "4.9e-324",
                              "2.2250738585072014e-308", "1.7976931348623157e308"})
            m[{"KA station", v}] = {kParametersInvalid};
        for (const char *v : {"nan", "-nan", "inf", "-inf", "1e308", "-1e308", "1.7976931348623157e308"})
            m[{"KA plus", v}] = {kParametersInvalid};
        // A pitch below the step bound: 36 m of clothoid at a denormal pitch.
        for (const char *v : {"4.9e-324", "2.2250738585072014e-308"})
            m[{"centre pitch", v}] = {"計算ピッチが小さすぎます。"};
        return m;
    }();

    TempDir dir;
    for (const Field &field : kNumericFields) {
        for (const std::string &value : kHostileValues) {
            SCOPED_TRACE(std::string(field.name) + " = " + value);
            auto lines = kBaseLines;
            lines[field.line][field.token] = value;
            const DrawingRun run = drawDesign(parameterText(lines), dir);
            const auto expected = refused.find({field.name, value});
            if (expected != refused.end()) {
                EXPECT_EQ(run.checked, 0);
                EXPECT_EQ(run.messages, expected->second);
            } else if (run.checked == 0 || run.result == 0) {
                EXPECT_FALSE(run.messages.empty());
            } else {
                EXPECT_TRUE(endsWithEof(run.content));
                EXPECT_FALSE(holdsNonFiniteNumber(run.content));
                EXPECT_TRUE(run.messages.empty());
            }
            std::filesystem::remove(dir.file("out.dxf"));
        }
    }
}

// Numbers that pass every check but have no finite drawing coordinate (a
// width of 1e308 m is 1e311 mm): no "nan" or "inf" reaches the file, the
// drawing is reported as failed, and the failure is shown once, not for
// every entity. Widening amounts that are not numbers are refused by the
// check before anything is drawn.
TEST(HostileNumbers, DrawingNumbersBeyondTheDoubleRangeFailTheRunOnce) {
    TempDir dir;
    for (const auto &[line, token, value] :
         std::vector<std::tuple<std::size_t, std::size_t, std::string>>{{8, 0, "nan"}, {11, 0, "-inf"}}) {
        SCOPED_TRACE(value);
        auto lines = kBaseLines;
        lines[line][token] = value;
        const DrawingRun run = drawDesign(parameterText(lines), dir);
        EXPECT_EQ(run.checked, 0);
        EXPECT_EQ(run.messages, Messages{kParametersInvalid});
    }
    for (const auto &[line, token, value] :
         std::vector<std::tuple<std::size_t, std::size_t, std::string>>{
             {0, 0, "1e308"}, {6, 0, "1e308"}, {4, 0, "1e308"}}) {
        SCOPED_TRACE(value);
        auto lines = kBaseLines;
        lines[line][token] = value;
        const DrawingRun run = drawDesign(parameterText(lines), dir);
        EXPECT_EQ(run.checked, 1);
        EXPECT_EQ(run.result, 0);
        EXPECT_EQ(run.messages, Messages{kWriteFailed});
        EXPECT_FALSE(holdsNonFiniteNumber(run.content));
    }
}

TEST(HostileNumbers, TinyComputationPitchIsRefusedAfterTheFourChecksAndTheArc) {
    TempDir dir;
    std::string text = testing_support::kSampleParameterText;
    text.replace(text.find("\n0.1\nL\n"), 7, "\n0.000001\nL\n");
    DrawingRun run = drawDesign(text, dir);
    EXPECT_EQ(run.checked, 0);
    EXPECT_EQ(run.messages, Messages{"計算ピッチが小さすぎます。"});

    // After the arc check: the same with an IA that the clothoids exceed
    // (τ1 + τ2 = 0.5 + 0.3828125 rad against 10° = 0.1745329 rad) gets the
    // arc's messages, Lc = (0.1745329 − 0.8828125) · 40 m.
    std::string noArc = text;
    noArc.replace(noArc.find("66 55 44.444"), 12, "10 0 0");
    run = drawDesign(noArc, dir);
    EXPECT_EQ(run.checked, 0);
    EXPECT_EQ(run.messages, arcRefused("-28.331183"));

    // After the four: a zero station pitch is reported instead.
    std::string badStation = text;
    badStation.replace(badStation.find("\nL\n20\n"), 7, "\nL\n0\n");
    run = drawDesign(badStation, dir);
    EXPECT_EQ(run.checked, 0);
    EXPECT_EQ(run.messages, Messages{"測点ピッチが不正です。"});
}

// IA of a half turn and more: the tangents are parallel or cross the other
// way (at 180°30'48.4" the tangent length would be −55,909 m). Refused with
// the parameters by the check and by save_DXF alone, which then leaves no
// file. Just below a half turn, 179°59'59" (the clothoids need 0.18 + 0.125
// rad of the 3.14158 rad) is drawn.
TEST(HostileNumbers, HalfTurnAndLargerAngles) {
    TempDir dir;
    for (const char *ia : {"180 0 0", "-180 0 0", "180 30 48.4", "-180 30 48.4", "200 0 0", "-200 0 0",
                           "270 0 0", "360 0 0", "720 0 0", "1000000 0 0", "-1000000 0 0",
                           "0 10800 0", "0 100000 0", "0 0 648000", "0 0 1e12", "179 60 0"}) {
        SCOPED_TRACE(ia);
        auto lines = kBaseLines;
        lines[5] = {ia};
        const DrawingRun run = drawDesign(parameterText(lines), dir);
        EXPECT_EQ(run.checked, 0);
        EXPECT_EQ(run.messages, Messages{kParametersInvalid});

        testing_support::MessageRecorder recorder;
        EXPECT_EQ(save_DXF(dir.file("alone.dxf").c_str(), dir.file("ALN_TXT_.DAT").c_str(),
                           drawing_support::templatePath().c_str(), dir.file("alone-temp.dxf").c_str()),
                  0);
        EXPECT_EQ(recorder.utf8(), Messages{kParametersInvalid});
        EXPECT_FALSE(std::filesystem::exists(dir.file("alone.dxf")));
        EXPECT_FALSE(std::filesystem::exists(dir.file("alone-temp.dxf")));
    }
    for (const char *ia : {"179 59 59", "-179 59 59", "179 59 59.999"}) {
        SCOPED_TRACE(ia);
        auto lines = kBaseLines;
        lines[5] = {ia};
        const DrawingRun run = drawDesign(parameterText(lines), dir);
        EXPECT_EQ(run.checked, 1);
        EXPECT_EQ(run.result, 1);
        EXPECT_TRUE(run.messages.empty());
        EXPECT_TRUE(endsWithEof(run.content));
        EXPECT_FALSE(holdsNonFiniteNumber(run.content));
    }
}

// A clothoid parameter far above the radius. A = 1000, R = 1: the clothoids
// would turn by A²/(2R²) = 5·10⁵ rad each, far beyond IA = 70°10'20" =
// 1.2247433 rad: the arc check refuses it, Lc = (1.2247433 − 10⁶)·1 m. A =
// 250, R = 100: 3.125 rad each, within a turn, but 6.25 rad together: the arc
// check refuses it, Lc = (1.2247 − 6.25)·100 m.
TEST(HostileNumbers, ClothoidParameterFarAboveTheRadius) {
    TempDir dir;
    auto lines = kBaseLines;
    lines[2] = {"1000"};
    lines[3] = {"1000"};
    lines[4] = {"1"};
    DrawingRun run = drawDesign(parameterText(lines), dir);
    EXPECT_EQ(run.checked, 0);
    EXPECT_EQ(run.messages, arcRefused("-999998.775264"));

    lines[2] = {"250"};
    lines[3] = {"250"};
    lines[4] = {"100"};
    run = drawDesign(parameterText(lines), dir);
    EXPECT_EQ(run.checked, 0);
    ASSERT_EQ(run.messages.size(), 2u);
    EXPECT_EQ(run.messages[0], "データが不正です a=IA-(t1+t2)<0 ");
    EXPECT_NE(run.messages[1].find("｜-502.52"), std::string::npos) << run.messages[1];
    EXPECT_NE(run.messages[1].find(">0.0005m"), std::string::npos);
}

// The largest lists a hand-made file can hold: 19 lane lines a side and 199
// intervals. The sample curve: CL = 40 + 11.413 + 30.625 = 82.04 m.
TEST(HostileNumbers, NineteenLaneLinesASideAndOneHundredNinetyNineIntervals) {
    TempDir dir;
    auto lines = kBaseLines;
    lines[0] = {"250"};
    lines[2] = {"40"};
    lines[3] = {"35"};
    lines[4] = {"40"};
    lines[5] = {"66", "55", "44.444"};
    lines[12] = {"1"};
    for (std::size_t side : {6u, 9u}) {
        lines[side].assign(19, "0.5");
        lines[side].push_back("0.0");
        lines[side + 1].assign(19, "1");
        lines[side + 2].assign(19, "0.1");
    }
    lines[17].assign(199, "0.4"); // the 199th normal at 79.6 m, within CL
    lines[17].push_back("1000.");
    DrawingRun run = drawDesign(parameterText(lines), dir);
    ASSERT_EQ(run.checked, 1);
    EXPECT_EQ(run.result, 1);
    EXPECT_TRUE(run.messages.empty());
    // Per clothoid one centre polyline and 38 lane polylines; one centre arc and 38 lane arcs.
    EXPECT_EQ(run.drawing.polylines.size(), 2u * (1 + 38));
    EXPECT_EQ(run.drawing.ofType("ARC").size(), 1u + 38);
    // 199 normals, the normals at both KA and both KE, the two tangents.
    EXPECT_EQ(run.drawing.ofType("LINE").size(), 199u + 4 + 2);
    EXPECT_FALSE(holdsNonFiniteNumber(run.content));

    // Intervals that add up beyond CL: 199 of 1 m give normals at 1 to 82 m only.
    lines[17].assign(199, "1");
    lines[17].push_back("1000.");
    run = drawDesign(parameterText(lines), dir);
    ASSERT_EQ(run.checked, 1);
    EXPECT_EQ(run.result, 1);
    EXPECT_EQ(run.drawing.ofType("LINE").size(), 82u + 4 + 2);
    EXPECT_EQ(countOf(run.content, "NO."), 82u + 1); // and the KA station in the table
}

// With IA large enough, any A/R would pass the arc check; but beyond a full
// turn (τ = A²/(2R²) > 2π) the ten-term series no longer follows the clothoid
// (at τ = 10 it is off by 80 % of the length) and the drawing would be
// garbage reported as written. Such clothoids fit only an IA of more than a
// half turn, which is refused, or an arc within the tolerance on a radius far
// below a millimetre (see the validation tests).
TEST(HostileNumbers, ClothoidsTurningBeyondAFullTurnAreRefused) {
    TempDir dir;
    auto lines = kBaseLines;
    lines[2] = {"1000"};
    lines[3] = {"1000"};
    lines[4] = {"1"};
    lines[5] = {"60000000", "0", "0"};
    DrawingRun run = drawDesign(parameterText(lines), dir);
    EXPECT_EQ(run.checked, 0);
    EXPECT_EQ(run.messages, Messages{kParametersInvalid});

    // R = 10: A = 35.4 turns by 6.2658 rad, A = 35.5 by 6.3013 rad, beyond
    // 2π = 6.2832. The first pair fits IA = 720° = 12.5663706 rad and is
    // refused for its half turn; the second needs 12.6025 rad, and the arc
    // check refuses it first: Lc = (12.5663706 − 12.6025)·10 m.
    lines[4] = {"10"};
    lines[5] = {"720", "0", "0"};
    lines[2] = {"35.4"};
    lines[3] = {"35.4"};
    run = drawDesign(parameterText(lines), dir);
    EXPECT_EQ(run.checked, 0);
    EXPECT_EQ(run.messages, Messages{kParametersInvalid});
    lines[2] = {"35.5"};
    lines[3] = {"35.5"};
    run = drawDesign(parameterText(lines), dir);
    EXPECT_EQ(run.checked, 0);
    EXPECT_EQ(run.messages, arcRefused("-0.361294"));
}

// R = A = 1e300 with the pitch 1e294 would be 10⁶ steps, but A² overflows and
// the clothoid angle A²/(2R²) is no number: refused with the parameters.
TEST(HostileNumbers, ParametersWhoseSquaresOverflowAreRefused) {
    TempDir dir;
    auto lines = kBaseLines;
    lines[2] = {"1e300"};
    lines[3] = {"1e300"};
    lines[4] = {"1e300"};
    lines[12] = {"1e294"};
    const DrawingRun run = drawDesign(parameterText(lines), dir);
    EXPECT_EQ(run.checked, 0);
    EXPECT_EQ(run.messages, Messages{kParametersInvalid});
}
