// The design file and the reading of bare parameter files: the exact text
// written for a design, what readers accept and refuse, and the texts a
// parameter file gives the form.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "design/design_file.h"
#include "design/design_loading.h"
#include "design/parameter_file_texts.h"

using design_model::DesignDocument;
using design_model::DesignTexts;

namespace {

// The sample design as the form holds it after サンプルデータ.
DesignTexts sampleTexts() {
    DesignTexts d = design_model::clearedDesignTexts();
    d.a1 = "40", d.radius = "40", d.a2 = "35";
    d.iaDegrees = "66", d.iaMinutes = "55", d.iaSeconds = "44.444";
    d.kaStationNo = "10", d.kaStationPlus = "10.111";
    d.right.width[0] = "2.75", d.right.width[1] = "1";
    d.left.width[0] = "2.75", d.left.width[1] = "0.5";
    for (auto *side : {&d.right, &d.left}) side->widening[0] = side->widening[1] = "0.5";
    d.intervals = "9.889\n20\n20\n20";
    return d;
}

const char kSampleFile[] = "# Rovena 設計ファイル\n"
                           "[design]\n"
                           "format = 1\n"
                           "scale = 250\n"
                           "a1 = 40\n"
                           "radius = 40\n"
                           "a2 = 35\n"
                           "ia.degrees = 66\n"
                           "ia.minutes = 55\n"
                           "ia.seconds = 44.444\n"
                           "curve.direction = up\n"
                           "station.pitch = 20\n"
                           "center.pitch = 0.1\n"
                           "station.direction = left\n"
                           "ka.no = 10\n"
                           "ka.plus = 10.111\n"
                           "right.1.width = 2.75\nright.1.method = linear\nright.1.widening = 0.5\n"
                           "right.2.width = 1\nright.2.method = linear\nright.2.widening = 0.5\n"
                           "left.1.width = 2.75\nleft.1.method = linear\nleft.1.widening = 0.5\n"
                           "left.2.width = 0.5\nleft.2.method = linear\nleft.2.widening = 0.5\n"
                           "interval = 9.889\ninterval = 20\ninterval = 20\ninterval = 20\n";

DesignDocument read(const std::string &bytes) {
    DesignDocument document;
    std::string error;
    EXPECT_TRUE(design_model::readDesignFile(bytes, document, error)) << error;
    return document;
}

std::string readError(const std::string &bytes) {
    DesignDocument document;
    std::string error;
    return design_model::readDesignFile(bytes, document, error) ? "<read>" : error;
}

std::string fileBytes(const std::string &path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

DesignTexts parameterFileTexts(const std::string &bytes) {
    DesignTexts d;
    std::string error;
    EXPECT_TRUE(design_model::readParameterFileTexts(bytes, d, error)) << error;
    return d;
}

} // namespace

TEST(DesignFile, SampleIsWrittenExactly) {
    EXPECT_EQ(design_model::sampleDesignTexts(), sampleTexts());
    EXPECT_EQ(design_model::designFileText({sampleTexts(), {}}), kSampleFile);
    EXPECT_EQ(read(kSampleFile), (DesignDocument{sampleTexts(), {}}));
}

// Texts the parameter file would normalise are kept as typed, and every
// option state survives, the placement section line for line.
TEST(DesignFile, TypedTextsSurvive) {
    DesignDocument d{sampleTexts(), {"zone = 9", "route = 国道1号", "bp = -1234.5678 5678.9012"}};
    d.texts.scale = " 250";
    d.texts.a1 = "\"40\"";
    d.texts.a2 = "３５ ";
    d.texts.radius = "4\\0";
    d.texts.iaSeconds = "";
    d.texts.directionUp = false;
    d.texts.stationLeft = false;
    d.texts.right.widening[1] = "";
    d.texts.right.method[0] = -1;
    d.texts.right.method[1] = 2;
    d.texts.left.method[10] = 0;
    d.texts.left.width[10] = "\t7";
    d.texts.intervals = " 9.889\n\n20 0\n";
    const std::string bytes = design_model::designFileText(d);
    for (const char *line : {"\nscale = \" 250\"\n", "\na1 = \"\\\"40\\\"\"\n", "\nradius = 4\\0\n", "\nia.seconds =\n",
                             "\nleft.11.width = \"\\t7\"\n",
                             "\ninterval = \" 9.889\"\ninterval =\ninterval = 20 0\ninterval =\n"})
        EXPECT_NE(bytes.find(line), std::string::npos) << line;
    const std::string end = "\n\n[placement]\nzone = 9\nroute = 国道1号\nbp = -1234.5678 5678.9012\n";
    EXPECT_EQ(bytes.substr(bytes.size() - end.size()), end);
    EXPECT_EQ(read(bytes), d);
}

TEST(DesignFile, ReadersSkipWhatTheyDoNotKnow) {
    const std::string text = "\xEF\xBB\xBF; written by hand\r\n"
                             "[notes]\r\n"
                             "anything at all\r\n"
                             "[design]\r\n"
                             "# a comment\r\n"
                             "   a1   =   55  \r\n"
                             "colour = red\r\n"
                             "right.1.width = \"3\"   \r\n"
                             "\r\n"
                             "[placement]\r\n"
                             "zone = 9\r\n"
                             "\r\n"
                             "[later]\r\n"
                             "a2 = 99\r\n";
    const DesignDocument d = read(text);
    DesignTexts expected = design_model::clearedDesignTexts();
    expected.a1 = "55";
    expected.right.width[0] = "3";
    EXPECT_EQ(d.texts, expected);
    EXPECT_EQ(d.placement, std::vector<std::string>{"zone = 9"});
}

TEST(DesignFile, Refusals) {
    const struct {
        const char *text;
        const char *error;
    } rows[] = {
        {"[design]\nright.1.method = clamped\nformat = 2\n",
         "このファイルは新しい形式 (format 2) で書かれています。このプログラムが読めるのは format 1 までです。"},
        {"[design]\nformat = one\n", "2 行目: format の値「one」は正の整数ではありません。"},
        {"[design]\nformat = 1\na1 40\n", "3 行目: 「キー = 値」の形ではありません。"},
        {"[design]\n= 40\n", "2 行目: 「キー = 値」の形ではありません。"},
        {"[design]\n[placement\n", "2 行目: 節の見出しが ] で終わっていません。"},
        {"[design]\na1 = \"40\n", "2 行目: 引用符で始まる値が閉じていません。"},
        {"[design]\na1 = \"40\" m\n", "2 行目: 閉じる引用符の後に余分な文字があります。"},
        {"[design]\na1 = \"4\\q\"\n", "2 行目: 引用符の中に使えない \\ があります (使えるのは \\\" \\\\ \\n \\r \\t)。"},
        {"[design]\n\nleft.3.method = cubic\n", "3 行目: left.3.method は none, linear, higher のどれかです (「cubic」)。"},
        {"[design]\nright.12.width = 3\n", "2 行目: right.12.width: 車線の番号は 1 から 11 までです。"},
        {"[design]\nright.0.width = 3\n", "2 行目: right.0.width: 車線の番号は 1 から 11 までです。"},
        {"[design]\ncurve.direction = 上\n", "2 行目: curve.direction は up か down です (「上」)。"},
        {"[placement]\nzone = 9\n", "設計データの節 [design] がありません。"},
        {"[design]\nroute = \x93\xB9\n", "2 行目: UTF-8 の文字として読めません。"},
        {"[design]\nformat = 0\nroute = \xED\xA0\x80\n", "3 行目: UTF-8 の文字として読めません。"},
    };
    for (const auto &row : rows) EXPECT_EQ(readError(row.text), row.error) << row.text;
}

TEST(DesignFile, KindIsToldByContent) {
    EXPECT_TRUE(design_model::isDesignFileText("\n  # comment\n; other\n\t[design]\n"));
    EXPECT_TRUE(design_model::isDesignFileText("\xEF\xBB\xBF[design]\r\n"));
    EXPECT_FALSE(design_model::isDesignFileText("250\nDXF dxf\n"));
    EXPECT_FALSE(design_model::isDesignFileText("# only a comment\n"));
    EXPECT_FALSE(design_model::isDesignFileText(""));
}

TEST(ParameterFileTexts, SampleGivesTheSampleForm) {
    EXPECT_EQ(parameterFileTexts(fileBytes(KORVANE_SOURCE_DIR "/data/sample_design.dat")), sampleTexts());
}

TEST(ParameterFileTexts, ElevenLanes) {
    const DesignTexts d = parameterFileTexts(fileBytes(KORVANE_SOURCE_DIR "/tests/tools/eleven_lanes.dat"));
    EXPECT_EQ(d.scale, "500");
    EXPECT_EQ(d.a1, "60");
    EXPECT_EQ(d.a2, "80");
    EXPECT_EQ(d.radius, "120");
    EXPECT_EQ(d.iaDegrees, "48");
    EXPECT_FALSE(d.directionUp);
    EXPECT_FALSE(d.stationLeft);
    EXPECT_EQ(design_model::laneCount(d.right), 11);
    EXPECT_EQ(design_model::laneCount(d.left), 11);
    EXPECT_EQ(d.right.width[10], "1.75");
    EXPECT_EQ(d.right.method[2], 2);
    EXPECT_EQ(d.right.widening[7], "1.5");
    EXPECT_EQ(d.left.method[1], 1);
    EXPECT_EQ(d.left.widening[9], "2");
    EXPECT_EQ(d.kaStationPlus, "7.5");
    EXPECT_EQ(d.intervals, "5\n10\n10\n10\n10\n10\n10\n10\n10\n10\n10");
}

TEST(ParameterFileTexts, Edges) {
    const DesignTexts d = parameterFileTexts("250\nDXF dxf\n1\n2\n3\n0 30 0\n0.0\n\n\n0.0\n\n\n0.1\nL\n20\n0\n0\n"
                                             "0.0 1000.\nCENTER2 1\n");
    EXPECT_EQ(d.intervals, "");
    EXPECT_EQ(design_model::laneCount(d.right), 0);
    EXPECT_EQ(d.right.width[0], "0");
    const struct {
        const char *text;
        const char *error;
    } refusals[] = {
        {"250\nDXF dxf\n1\n2\n3\n0 30 0\n2 0.0\n", "パラメータファイルが 右側の拡幅方法 の前で終わっています。"},
        {"250\nDXF dxf\n1\n2\n3\n0 30 0\n1 2 3 4 5 6 7 8 9 10 11 12 0.0\n", "右側の車線が 11 本を超えています。"},
        {"250\nDXF dxf\n1\n2\n3\n0 30 0\n2 0.0\n3\n", "右側の拡幅方法「3」は 0, 1, 2 のどれでもありません。"},
    };
    for (const auto &row : refusals) {
        DesignTexts texts;
        std::string error;
        EXPECT_FALSE(design_model::readParameterFileTexts(row.text, texts, error));
        EXPECT_EQ(error, row.error);
    }
}

// A file that cannot be opened, a folder and an endless device are named
// with the reason; the endless one is not read beyond the bound.
TEST(DesignLoading, Refusals) {
    const struct {
        const char *path;
        const char *error;
    } rows[] = {
        {"/nonexistent/design.rvd", "ファイルを開けません: /nonexistent/design.rvd\nNo such file or directory"},
        {"/", "ファイルを開けません: /\nfile to open is a directory"},
        {"/dev/zero", "ファイルを開けません: /dev/zero\n設計ファイルとしては大きすぎます。"},
    };
    for (const auto &row : rows) {
        if (std::string_view(row.path) == "/dev/zero" && !std::filesystem::exists(row.path)) continue;
        design_model::DesignDocument document;
        design_model::DesignSource source = design_model::DesignSource::DesignFile;
        std::string error;
        EXPECT_FALSE(design_model::loadDesign(row.path, document, source, error));
        EXPECT_EQ(error, row.error);
    }
}
