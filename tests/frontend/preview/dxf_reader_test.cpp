// Reading drawings back: a hand-made drawing with known content, the
// library's drawing of the sample design, and files that are no drawing.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "dxf_group_scan.h"
#include "dxf_pair_reader.h"
#include "sample_drawing.h"

using namespace rovena::preview;

namespace {

const std::string fixture = std::string(PREVIEW_TEST_DATA) + "/small_drawing.dxf";

std::string readBytes(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeBytes(const std::string &path, const std::string &bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

void expectBox(const DxfBox &box, double minX, double minY, double maxX, double maxY, double tolerance) {
    ASSERT_FALSE(box.empty);
    EXPECT_NEAR(box.minX, minX, tolerance);
    EXPECT_NEAR(box.minY, minY, tolerance);
    EXPECT_NEAR(box.maxX, maxX, tolerance);
    EXPECT_NEAR(box.maxY, maxY, tolerance);
}

}  // namespace

TEST(PreviewDxfReader, ReadsEveryEntityOfTheHandMadeDrawing) {
    const DxfReadResult result = readDxfFileFast(fixture);
    ASSERT_EQ(result.status, DxfReadStatus::ok);
    const DxfDrawing &d = result.drawing;

    ASSERT_EQ(d.lines.size(), 3u);
    EXPECT_EQ(d.lines[0].layer, "D-WORK");
    EXPECT_DOUBLE_EQ(d.lines[0].start.y, 64250.0);
    EXPECT_DOUBLE_EQ(d.lines[0].end.y, 84250.0);

    // The dummy point of a POLYLINE is no vertex; the SEQEND layer does not
    // change the layer of the polyline it ends.
    ASSERT_EQ(d.polylines.size(), 2u);
    EXPECT_EQ(d.polylines[0].vertices.size(), 3u);
    EXPECT_EQ(d.polylines[1].vertices.size(), 4u);
    EXPECT_EQ(d.polylines[0].layer, "D-BMK");
    EXPECT_EQ(d.polylines[1].layer, "D-STR");
    EXPECT_FALSE(d.polylines[0].closed);
    EXPECT_DOUBLE_EQ(d.polylines[0].vertices[1].y, 74260.5);
    EXPECT_DOUBLE_EQ(d.polylines[1].vertices[3].x, 12000.0);

    ASSERT_EQ(d.arcs.size(), 1u);
    EXPECT_DOUBLE_EQ(d.arcs[0].radius, 5000.0);
    EXPECT_DOUBLE_EQ(d.arcs[0].startDegrees, -90.0);
    EXPECT_DOUBLE_EQ(d.arcs[0].endDegrees, 30.0);

    ASSERT_EQ(d.texts.size(), 6u);
    EXPECT_EQ(d.texts[0].utf8, "K.A.");
    EXPECT_NEAR(d.texts[0].rotationDegrees, -90.0, 1e-9);
    EXPECT_DOUBLE_EQ(d.texts[0].height, 375.0);
    EXPECT_DOUBLE_EQ(d.texts[0].widthFactor, 1.0);
    EXPECT_NEAR(d.texts[1].rotationDegrees, -87.5, 1e-9);
    EXPECT_EQ(d.texts[1].utf8, "NO.12+5.000");

    // Leading blanks stay (the table is laid out with them); cp932 bytes stay
    // as written, including trail bytes equal to the backslash ("表", "ソ").
    EXPECT_EQ(d.texts[2].utf8, "       左側曲線   右側曲線");
    EXPECT_EQ(d.texts[3].utf8, "   ⊿Ｒ     0.100     0.200");
    EXPECT_EQ(d.texts[3].bytes.substr(3, 4), "\x87\x99\x82\x71");
    EXPECT_EQ(d.texts[4].utf8, "ｾﾝﾀｰでの計算ピッチ  5.0000m");
    EXPECT_EQ(d.texts[4].bytes.substr(0, 4), "\xBE\xDD\xC0\xB0");
    EXPECT_EQ(d.texts[5].bytes, "\x95\x5C\x83\x5C\x81\x62");
    EXPECT_EQ(d.texts[5].utf8, "表ソ｜");

    EXPECT_EQ(d.codePage, "ANSI_932");
    ASSERT_TRUE(d.extMax.has_value());
    EXPECT_DOUBLE_EQ(d.extMax->x, 841.0 * 250);
    EXPECT_DOUBLE_EQ(d.extMax->y, 594.0 * 250);

    ASSERT_EQ(d.layers.size(), 5u);
    EXPECT_EQ(d.effectiveColor("D-WORK", colorByLayer), 1);
    EXPECT_EQ(d.effectiveColor("D-BMK", colorByLayer), 3);
    EXPECT_EQ(d.effectiveColor("D-STR", colorByLayer), 5);
    EXPECT_EQ(d.effectiveColor("D-BMK-HTXT", colorByLayer), 7);
    EXPECT_EQ(d.effectiveColor("HIDDEN", colorByLayer), -2);
    EXPECT_EQ(d.effectiveColor("NOT-IN-TABLE", colorByLayer), 7);
    EXPECT_EQ(d.effectiveColor("D-WORK", 4), 4);
}

TEST(PreviewDxfReader, ReadsCrLfLineEndsAlike) {
    std::string bytes = readBytes(fixture), crlf;
    for (char c : bytes) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    preview_test::TempFolder folder;
    writeBytes(folder.file("crlf.dxf"), crlf);
    const DxfReadResult result = readDxfFileFast(folder.file("crlf.dxf"));
    ASSERT_EQ(result.status, DxfReadStatus::ok);
    EXPECT_EQ(result.drawing.polylines.size(), 2u);
    ASSERT_EQ(result.drawing.texts.size(), 6u);
    EXPECT_EQ(result.drawing.texts[2].utf8, "       左側曲線   右側曲線");
    EXPECT_EQ(result.drawing.texts[5].utf8, "表ソ｜");
}

TEST(PreviewDxfReader, ExtentsCoverLineworkAndTextBoxes) {
    const DxfDrawing d = readDxfFileFast(fixture).drawing;
    // Worked by hand from the fixture: x from the lines at 0 to the tangent
    // end at 60000; y from the hidden line at 1 to the top of the first table
    // line, 148500 + 1000.
    expectBox(d.entityExtents(), 0.0, 1.0, 60000.0, 149500.0, 1e-9);
    expectBox(d.sheet(), 0.0, 0.0, 210250.0, 148500.0, 0.0);

    // "K.A." at (250, 74000), 375 high, turned to -90 degrees, 4 bytes:
    // it runs 750 downwards and stands 375 to the right of its base line.
    expectBox(textBox(d.texts[0]), 250.0, 73250.0, 625.0, 74000.0, 1e-9);

    // The arc from -90 to 30 degrees about (20000, 80000), radius 5000,
    // passes 0 degrees: x up to 25000; y from 75000 to 80000 + 5000 sin 30.
    expectBox(arcBox(d.arcs[0]), 20000.0, 75000.0, 25000.0, 82500.0, 1e-9);
    // From 30 to -90 it takes the long way round through 90, 180 and 270.
    DxfArc longWay = d.arcs[0];
    longWay.startDegrees = 30.0;
    longWay.endDegrees = -90.0;
    expectBox(arcBox(longWay), 15000.0, 75000.0, 20000.0 + 5000.0 * std::sqrt(3.0) / 2.0, 85000.0, 1e-9);
}

TEST(PreviewDxfReader, DecodesCp932ThroughIconv) {
    EXPECT_EQ(decodeDxfText("\x87\x99", "ANSI_932"), "⊿");
    EXPECT_EQ(decodeDxfText("\x81\x62", ""), "｜");
    EXPECT_EQ(decodeDxfText("\xBE\xDD\xC0\xB0", "ANSI_932"), "ｾﾝﾀｰ");
    EXPECT_EQ(decodeDxfText("\x81\x4B", "ANSI_932"), "゜");
    EXPECT_EQ(decodeDxfText("\x81\x8B", "ANSI_932"), "°");
    // A lead byte without its trail byte, and a byte cp932 does not use.
    EXPECT_EQ(decodeDxfText("A\x82", "ANSI_932"), "A\xEF\xBF\xBD");
    EXPECT_EQ(decodeDxfText("\xA0" "B", "ANSI_932"), "\xEF\xBF\xBD" "B");
    EXPECT_EQ(decodeDxfText("\xE9", "ANSI_1252"), "é");
}

TEST(PreviewDxfReader, RejectsFilesThatAreNoDrawingWithoutCrashing) {
    preview_test::TempFolder folder;
    EXPECT_EQ(readDxfFileFast(folder.file("missing.dxf")).status, DxfReadStatus::cannotOpen);

    writeBytes(folder.file("empty.dxf"), "");
    EXPECT_EQ(readDxfFileFast(folder.file("empty.dxf")).status, DxfReadStatus::notDxf);

    writeBytes(folder.file("prose.dxf"), "これはＤＸＦではありません\nplain text\n");
    EXPECT_EQ(readDxfFileFast(folder.file("prose.dxf")).status, DxfReadStatus::notDxf);

    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 7919) & 0xFF);
    writeBytes(folder.file("binary.dxf"), binary);
    EXPECT_NE(readDxfFileFast(folder.file("binary.dxf")).status, DxfReadStatus::ok);

    // Cut anywhere before its end-of-file marker, the drawing is reported as
    // short and keeps what was read; nothing more than the file holds appears.
    const std::string whole = readBytes(fixture);
    const size_t eof = whole.rfind("EOF");
    for (size_t cut = 0; cut < eof; cut += 7) {
        writeBytes(folder.file("cut.dxf"), whole.substr(0, cut));
        const DxfReadResult result = readDxfFileFast(folder.file("cut.dxf"));
        EXPECT_NE(result.status, DxfReadStatus::ok) << "cut at " << cut;
        EXPECT_LE(result.drawing.texts.size(), 6u);
        EXPECT_LE(result.drawing.polylines.size(), 2u);
        for (const auto &p : result.drawing.polylines) EXPECT_LE(p.vertices.size(), 4u);
    }
}

TEST(PreviewDxfReader, SampleDrawingReadsBackAsWritten) {
    preview_test::TempFolder folder;
    const preview_test::SampleDrawing sample = preview_test::makeSampleDrawing(folder);
    ASSERT_FALSE(sample.path.empty()) << sample.error;

    const preview_test::Scan scan = preview_test::scanDxf(sample.path);
    const DxfReadResult result = readDxfFileFast(sample.path);
    ASSERT_EQ(result.status, DxfReadStatus::ok);
    const DxfDrawing &d = result.drawing;

    EXPECT_EQ(d.lines.size(), scan.count("LINE"));
    EXPECT_EQ(d.arcs.size(), scan.count("ARC"));
    EXPECT_EQ(d.texts.size(), scan.count("TEXT"));
    ASSERT_EQ(d.polylines.size(), scan.count("POLYLINE"));
    ASSERT_EQ(scan.polylineVertexCounts.size(), d.polylines.size());
    for (size_t i = 0; i < d.polylines.size(); ++i)
        EXPECT_EQ(d.polylines[i].vertices.size(), scan.polylineVertexCounts[i]) << "polyline " << i;
    // Two clothoids, each with a centre line, and the two tangents at least.
    EXPECT_GE(d.polylines.size(), 2u);
    EXPECT_GE(d.lines.size(), 2u);

    size_t i = 0;
    for (const auto &e : scan.entities) {
        if (e.type == "TEXT") {
            EXPECT_EQ(d.texts[i].bytes, e.text(1));
            ++i;
        }
    }

    // The sheet of a 1:250 drawing, as the header says.
    const double scale = 250.0;
    expectBox(d.sheet(), 0.0, 0.0, 841.0 * scale, 594.0 * scale, 0.5);

    const preview_test::Box expected = preview_test::scannedExtents(scan);
    expectBox(d.entityExtents(), expected.minX, expected.minY, expected.maxX, expected.maxY, 1e-3);
}
