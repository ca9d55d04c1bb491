// Whole drawings through the exports: data_chekvb, then save_DXF into a
// temporary folder with the shipped header template. The entity order and
// counts, and the run's failures.
#include <gtest/gtest.h>

#ifndef _WIN32
#  include <sys/resource.h>
#  include <sys/wait.h>
#  include <unistd.h>
#endif

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "drawing_support.h"
#include "korvane.h"
#include "params/cp932.h"
#include "platform_skip.h"
#include "test_support.h"

using drawing_support::Design;
using drawing_support::drawDesign;
using drawing_support::DrawingRun;
using drawing_support::templatePath;
using testing_support::MessageRecorder;
using testing_support::TempDir;
using testing_support::kSampleParameterText;
using testing_support::readFile;
using testing_support::writeFile;

namespace {

std::vector<std::string> repeat(const std::string &item, int n) {
    return std::vector<std::string>(std::size_t(n), item);
}

void append(std::vector<std::string> &to, const std::vector<std::string> &items) {
    to.insert(to.end(), items.begin(), items.end());
}

// The layout of the sample drawing. Its normals: the intervals 9.889, 20, 20,
// 20 give the positions 9.889 and 29.889 on the first clothoid (length
// 40²/40 = 40), 49.889 on the arc (40 to 40 + 11.413) and 69.889 on the second
// clothoid; two lane lines on each side; the table has 17 lines and two
// lane blocks of six.
std::vector<std::string> sampleOutline() {
    std::vector<std::string> o;
    const std::string line = "LINE:D-WORK", text = "TEXT:D-BMK-HTXT";
    // First clothoid: KA, two normals, centre polyline, KE, four lanes.
    append(o, {line, text, line, text, line, text, "POLYLINE:D-BMK", line, text});
    append(o, repeat("POLYLINE:D-STR", 4));
    // Arc: centre arc, four lane arcs, one normal.
    append(o, {"ARC:D-BMK"});
    append(o, repeat("ARC:D-STR", 4));
    append(o, {line, text});
    // Second clothoid: KA, one normal, centre polyline, KE, four lanes.
    append(o, {line, text, line, text, "POLYLINE:D-BMK", line, text});
    append(o, repeat("POLYLINE:D-STR", 4));
    // Tangents and the table.
    append(o, {line, line});
    append(o, repeat(text, 17 + 6 + 6));
    return o;
}

#ifndef _WIN32
int childMessages = 0;
#endif

bool contains(const std::vector<std::string> &messages, const std::string &text) {
    for (const auto &m : messages)
        if (m == text) return true;
    return false;
}

} // namespace

TEST(DrawingPipeline, SampleDesignHasTheLayoutOfTheOutput) {
    TempDir dir;
    const DrawingRun run = drawDesign(kSampleParameterText, dir);
    ASSERT_EQ(run.checked, 1);
    ASSERT_EQ(run.result, 1);
    EXPECT_TRUE(run.messages.empty());
    EXPECT_EQ(run.drawing.outline(), sampleOutline());

    // The file starts with the template (its $EXTMAX rewritten) and ends the
    // entities section and the file.
    EXPECT_EQ(run.content.rfind("0\nSECTION\n", 0), 0u);
    EXPECT_NE(run.content.find("$EXTMAX\n10\n210250\n20\n148500\n"), std::string::npos);
    const std::string tail = "0\nENDSEC\n0\nEOF\n";
    ASSERT_GE(run.content.size(), tail.size());
    EXPECT_EQ(run.content.substr(run.content.size() - tail.size()), tail);

    // Station labels: KA at 10 × 20 + 10.111, so every interval of 20 after
    // the first of 9.889 lands on a full station.
    std::vector<std::string> labels;
    for (const auto *t : run.drawing.ofType("TEXT")) labels.push_back(t->text(1));
    ASSERT_GE(labels.size(), 8u);
    EXPECT_EQ(std::vector<std::string>(labels.begin(), labels.begin() + 8),
              (std::vector<std::string>{"K.A.", "NO.11+0.000", "NO.12+0.000", "K.E.", "NO.13+0.000",
                                        "K.A.", "NO.14+0.000", "K.E."}));

    // The table lines that follow from the sample's inputs alone (index
    // among the texts: the eight labels come first).
    const std::vector<std::pair<std::size_t, std::string>> table = {
        {8, "       左側曲線   右側曲線"},
        {9, "  ＩＡ +66゜55'44.44400\""},
        {10, "    Ａ    40.000    35.000"},
        {11, "    Ｒ    40.000    40.000"},
        {12, "    Ｌ    40.000    30.625"},
        {21, "ｾﾝﾀｰでの計算ピッチ  0.1000m"},
        {22, "測点の方向  L  (左から右に進む)"},
        {23, "測点ピッチ  20.0000m"},
        {24, "Ｋ.Ａ.位置の測点  NO.10+10.1110"},
        {25, "ｾﾝﾀｰから右側の線までの距離(各線の位置)"},
        {26, "2.750 3.750"},
        {27, "    各線の拡幅方法 0or1or2 (0拡幅無し 1方法１  2方法２)"},
        {28, "1 1"},
        {29, "    各線の拡幅量"},
        {30, "0.500 0.500"},
        {31, "ｾﾝﾀｰから左側の線までの距離(各線の位置)"},
        {32, "2.750 3.250"},
        {35, "    各線の拡幅量"},
        {36, "0.500 0.500"},
    };
    ASSERT_EQ(labels.size(), 37u);
    for (const auto &[index, utf8] : table) {
        char cp932[256];
        const std::size_t n = korvane::toCp932(utf8, cp932, sizeof cp932);
        EXPECT_EQ(labels[index], std::string(cp932, n)) << utf8;
    }

    // Every polyline of one clothoid has the same number of vertices, the
    // first clothoid at a pitch of 0.1 m over 40 m about 400 of them.
    ASSERT_EQ(run.drawing.polylines.size(), 10u);
    for (int p = 0; p < 10; ++p)
        EXPECT_EQ(run.drawing.polylines[p].vertices.size(),
                  run.drawing.polylines[p < 5 ? 0 : 5].vertices.size());
    EXPECT_NEAR(double(run.drawing.polylines[0].vertices.size()), 403, 2);
    EXPECT_NEAR(double(run.drawing.polylines[5].vertices.size()), 308, 2);
}

TEST(DrawingPipeline, WithoutLaneLinesOnlyCentreNormalsTangentsAndTable) {
    TempDir dir;
    Design d;
    d.intervals = "10 20 100 100"; // 10, 30 on the first clothoid, 130 on the arc, 230 on the second
    const DrawingRun run = drawDesign(d.parameterText(), dir);
    ASSERT_EQ(run.result, 1);
    std::vector<std::string> o;
    const std::string line = "LINE:D-WORK", text = "TEXT:D-BMK-HTXT";
    append(o, {line, text, line, text, line, text, "POLYLINE:D-BMK", line, text});
    append(o, {"ARC:D-BMK", line, text});
    append(o, {line, text, line, text, "POLYLINE:D-BMK", line, text});
    append(o, {line, line});
    append(o, repeat(text, 17));
    EXPECT_EQ(run.drawing.outline(), o);
}

TEST(DrawingPipeline, WithinTheToleranceTheClothoidsMeetWithoutArc) {
    TempDir dir;
    Design d;
    d.a1 = d.a2 = "100";
    d.ia = "14 19 26"; // the clothoids need 0.25 rad, IA gives 0.2499990 rad
    d.right = {{3.0, 1, 0.5}};
    d.intervals = "20 40 40"; // 20, 60 on the first clothoid (length 50), 100 beyond it
    const DrawingRun run = drawDesign(d.parameterText(), dir);
    ASSERT_EQ(run.checked, 1);
    ASSERT_EQ(run.result, 1);
    EXPECT_EQ(run.messages.size(), 2u); // the two warnings of the check
    EXPECT_TRUE(run.drawing.ofType("ARC").empty());
    // Arc length 0: the second clothoid ends where the first ends.
    const auto &p = run.drawing.polylines;
    ASSERT_EQ(p.size(), 4u);
    EXPECT_LT(drawing_support::distance(p[0].vertices.back(), p[2].vertices.back()), 1.0);
    // The normals: first KA, 20, KE; second KA, 60 from the first KA (40
    // from the second KA), KE; 100 reaches the end of the curve and ends the
    // list. Then the two tangents.
    EXPECT_EQ(run.drawing.ofType("LINE").size(), 3u + 3u + 2u);
}

TEST(DrawingPipeline, TwoRunsDifferOnlyInPolylineHandles) {
    TempDir dir;
    const DrawingRun first = drawDesign(kSampleParameterText, dir, "first.dxf");
    const DrawingRun second = drawDesign(kSampleParameterText, dir, "second.dxf");
    ASSERT_EQ(first.result, 1);
    ASSERT_EQ(second.result, 1);
    ASSERT_EQ(first.content.size() > 0, true);

    auto lines = [](const std::string &s) {
        std::vector<std::string> out;
        std::size_t start = 0;
        while (start < s.size()) {
            const std::size_t end = s.find('\n', start);
            out.push_back(s.substr(start, end - start));
            start = end + 1;
        }
        return out;
    };
    const auto a = lines(first.content), b = lines(second.content);
    ASSERT_EQ(a.size(), b.size());
    std::string entity;
    int differences = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (i % 2 == 1 && a[i - 1] == "0") entity = a[i];
        if (a[i] == b[i]) continue;
        ++differences;
        ASSERT_EQ(i % 2, 1u) << "line " << i + 1;
        EXPECT_EQ(a[i - 1], "5") << "line " << i + 1;
        EXPECT_TRUE(entity == "POLYLINE" || entity == "VERTEX" || entity == "SEQEND") << entity;
        EXPECT_GT(std::stoul(b[i], nullptr, 16), std::stoul(a[i], nullptr, 16));
    }
    // Every POLYLINE, VERTEX and SEQEND got a new handle.
    EXPECT_EQ(differences, int(first.drawing.polylines.size()) +
                               int(first.drawing.ofType("VERTEX").size()) +
                               int(first.drawing.ofType("SEQEND").size()));
}

TEST(DrawingPipeline, OutputReplacesAnExistingFile) {
    TempDir dir;
    writeFile(dir.file("out.dxf"), std::string(500000, 'x'));
    const DrawingRun run = drawDesign(kSampleParameterText, dir);
    ASSERT_EQ(run.result, 1);
    EXPECT_EQ(run.content.find('x' + std::string(10, 'x')), std::string::npos);
    EXPECT_EQ(run.content.rfind("0\nSECTION\n", 0), 0u);
}

// The run's failures: each shows its message and gives 0.
class DrawingFailures : public ::testing::Test {
protected:
    void SetUp() override {
        writeFile(parameterFile(), kSampleParameterText);
        MessageRecorder quiet;
        ASSERT_EQ(data_chekvb(parameterFile().c_str()), 1);
    }
    std::string parameterFile() const { return dir.file("ALN_TXT_.DAT"); }
    int save(const std::string &output, const std::string &param, const std::string &tmpl,
             const std::string &temp) {
        return save_DXF(output.c_str(), param.c_str(), tmpl.c_str(), temp.c_str());
    }
    bool exists(const std::string &path) const { return std::filesystem::exists(path); }

    TempDir dir;
};

TEST_F(DrawingFailures, UnreadableParameterFileTouchesNoOutput) {
    MessageRecorder recorder;
    EXPECT_EQ(save(dir.file("out.dxf"), dir.file("missing.dat"), templatePath(), dir.file("temp.dxf")),
              0);
    EXPECT_EQ(recorder.utf8(), std::vector<std::string>{"Can't open ALN_TXT_.DAT (設定ﾌｧｲﾙ)file"});
    EXPECT_FALSE(exists(dir.file("out.dxf")));
    EXPECT_FALSE(exists(dir.file("temp.dxf")));
}

TEST_F(DrawingFailures, MissingTemplateCreatesNoOutput) {
    MessageRecorder recorder;
    EXPECT_EQ(save(dir.file("out.dxf"), parameterFile(), dir.file("none.dxf"), dir.file("temp.dxf")), 0);
    EXPECT_EQ(recorder.utf8(), std::vector<std::string>{"Can't open ALN_HDR_.DXF(DXFﾍｯﾀﾞｰﾌｧｲﾙ) file"});
    EXPECT_FALSE(exists(dir.file("out.dxf")));
}

TEST_F(DrawingFailures, OutputThatCannotBeCreated) {
    MessageRecorder recorder;
    EXPECT_EQ(save(dir.file("no/such/folder/out.dxf"), parameterFile(), templatePath(),
                   dir.file("temp.dxf")),
              0);
    EXPECT_EQ(recorder.utf8(), std::vector<std::string>{"Can't open 新DXF file"});
}

TEST_F(DrawingFailures, TemporaryFileThatCannotBeCreated) {
    MessageRecorder recorder;
    EXPECT_EQ(save(dir.file("out.dxf"), parameterFile(), templatePath(), dir.file("no/temp.dxf")), 0);
    EXPECT_EQ(recorder.utf8(), std::vector<std::string>{"Can't open tmpDXF file"});
    // The output holds the header and what came before the first polyline,
    // and no end of file.
    const std::string content = readFile(dir.file("out.dxf"));
    EXPECT_EQ(content.find("EOF"), std::string::npos);
}

TEST_F(DrawingFailures, FullDeviceIsNotReportedAsWritten) {
    KORVANE_SKIP_ON_WINDOWS("no device like /dev/full that refuses every write");
    if (!exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    MessageRecorder recorder;
    EXPECT_EQ(save("/dev/full", parameterFile(), templatePath(), dir.file("temp.dxf")), 0);
    EXPECT_TRUE(contains(recorder.utf8(), "fprintfｴﾗｰ"));
}

// The disk fills up in the middle of the drawing: a child process whose file
// size limit lets the header through but not the whole drawing.
TEST_F(DrawingFailures, DiskFullDuringTheRunIsNotReportedAsWritten) {
    KORVANE_SKIP_ON_WINDOWS("needs fork and RLIMIT_FSIZE to fill the disk");
#ifndef _WIN32
    const std::string output = dir.file("out.dxf");
    const std::string temp = dir.file("temp.dxf");
    const std::string param = parameterFile();
    const std::string tmpl = templatePath();
    for (rlim_t limit : {rlim_t(2000), rlim_t(30000), rlim_t(120000), rlim_t(220000)}) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit r{limit, limit};
            setrlimit(RLIMIT_FSIZE, &r);
            korvane_set_message_handler([](const char *) { ++childMessages; });
            const int result = save_DXF(output.c_str(), param.c_str(), tmpl.c_str(), temp.c_str());
            // 0: refused with a message, as it must be; 1: reported as written.
            _exit(result == 0 && childMessages > 0 ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "file size limit " << limit;
        EXPECT_LE(std::filesystem::file_size(output), limit);
    }
#endif
}

TEST_F(DrawingFailures, PathsTooLongAreRefusedBeforeAnyFileIsTouched) {
    const std::string longName = dir.file(std::string(260, 'a') + ".dxf");
    MessageRecorder recorder;
    EXPECT_EQ(save(longName, parameterFile(), templatePath(), dir.file("temp.dxf")), 0);
    EXPECT_EQ(save(dir.file("out.dxf"), parameterFile(), templatePath(), longName), 0);
    EXPECT_EQ(recorder.utf8(), (std::vector<std::string>{"パスが長すぎます。", "パスが長すぎます。"}));
    EXPECT_FALSE(exists(dir.file("out.dxf")));
    EXPECT_FALSE(exists(dir.file("temp.dxf")));

    // 259 bytes is the longest path that fits.
    std::string fitting = dir.file("");
    fitting += std::string(259 - fitting.size() - 4, 'b') + ".dxf";
    ASSERT_EQ(fitting.size(), 259u);
    recorder.clear();
    EXPECT_EQ(save(fitting, parameterFile(), templatePath(), dir.file("temp.dxf")), 1);
    EXPECT_TRUE(recorder.utf8().empty());
}

TEST_F(DrawingFailures, NullArgumentsAreRefused) {
    MessageRecorder recorder;
    EXPECT_EQ(save_DXF(nullptr, parameterFile().c_str(), templatePath().c_str(),
                       dir.file("temp.dxf").c_str()),
              0);
    EXPECT_EQ(save_DXF(dir.file("out.dxf").c_str(), parameterFile().c_str(), templatePath().c_str(),
                       nullptr),
              0);
    EXPECT_EQ(recorder.cp932().size(), 2u);
    EXPECT_FALSE(exists(dir.file("out.dxf")));
}
