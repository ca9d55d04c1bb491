// The fast reader of the preview against dxflib's reading of the same files
// (the hand-made drawing, its CR LF twin, the library's sample drawing, files
// cut short and files that are no drawing), its progress and its stopping.
#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <sstream>

#include "dense_drawing.h"
#include "dxf_pair_reader.h"
#include "dxf_reader.h"
#include "dxflib_reader.h"
#include "sample_drawing.h"

using namespace rovena::preview;

namespace {

const std::string fixture = std::string(PREVIEW_TEST_DATA) + "/small_drawing.dxf";

std::string bytesOf(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void expectSamePoint(DxfPoint a, DxfPoint b) {
    EXPECT_DOUBLE_EQ(a.x, b.x);
    EXPECT_DOUBLE_EQ(a.y, b.y);
}

void expectSameDrawing(const DxfDrawing &fast, const DxfDrawing &reference) {
    ASSERT_EQ(fast.lines.size(), reference.lines.size());
    for (size_t i = 0; i < fast.lines.size(); ++i) {
        EXPECT_EQ(fast.lines[i].layer, reference.lines[i].layer);
        EXPECT_EQ(fast.lines[i].color, reference.lines[i].color);
        expectSamePoint(fast.lines[i].start, reference.lines[i].start);
        expectSamePoint(fast.lines[i].end, reference.lines[i].end);
    }
    ASSERT_EQ(fast.polylines.size(), reference.polylines.size());
    for (size_t i = 0; i < fast.polylines.size(); ++i) {
        const DxfPolyline &f = fast.polylines[i], &r = reference.polylines[i];
        EXPECT_EQ(f.layer, r.layer);
        EXPECT_EQ(f.color, r.color);
        EXPECT_EQ(f.closed, r.closed);
        ASSERT_EQ(f.vertices.size(), r.vertices.size()) << "polyline " << i;
        for (size_t k = 0; k < f.vertices.size(); ++k) expectSamePoint(f.vertices[k], r.vertices[k]);
    }
    ASSERT_EQ(fast.arcs.size(), reference.arcs.size());
    for (size_t i = 0; i < fast.arcs.size(); ++i) {
        expectSamePoint(fast.arcs[i].centre, reference.arcs[i].centre);
        EXPECT_DOUBLE_EQ(fast.arcs[i].radius, reference.arcs[i].radius);
        EXPECT_DOUBLE_EQ(fast.arcs[i].startDegrees, reference.arcs[i].startDegrees);
        EXPECT_DOUBLE_EQ(fast.arcs[i].endDegrees, reference.arcs[i].endDegrees);
    }
    ASSERT_EQ(fast.texts.size(), reference.texts.size());
    for (size_t i = 0; i < fast.texts.size(); ++i) {
        const DxfText &f = fast.texts[i], &r = reference.texts[i];
        EXPECT_EQ(f.layer, r.layer);
        EXPECT_EQ(f.bytes, r.bytes);
        EXPECT_EQ(f.utf8, r.utf8);
        expectSamePoint(f.position, r.position);
        EXPECT_DOUBLE_EQ(f.height, r.height);
        EXPECT_DOUBLE_EQ(f.widthFactor, r.widthFactor);
        EXPECT_NEAR(f.rotationDegrees, r.rotationDegrees, 1e-9);
    }
    ASSERT_EQ(fast.layers.size(), reference.layers.size());
    for (size_t i = 0; i < fast.layers.size(); ++i) {
        EXPECT_EQ(fast.layers[i].name, reference.layers[i].name);
        EXPECT_EQ(fast.layers[i].color, reference.layers[i].color);
    }
    EXPECT_EQ(fast.codePage, reference.codePage);
    ASSERT_EQ(fast.extMax.has_value(), reference.extMax.has_value());
    if (fast.extMax) expectSamePoint(*fast.extMax, *reference.extMax);
}

void expectSameReading(const std::string &path) {
    const DxfReadResult fast = readDxfFileFast(path), reference = readDxfFileWithDxflib(path);
    ASSERT_EQ(fast.status, reference.status) << path;
    expectSameDrawing(fast.drawing, reference.drawing);
}

}  // namespace

TEST(PreviewPairReader, ReadsWhatDxflibReads) {
    expectSameReading(fixture);

    preview_test::TempFolder folder;
    std::string crlf;
    for (char c : bytesOf(fixture)) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    std::ofstream(folder.file("crlf.dxf"), std::ios::binary) << crlf;
    expectSameReading(folder.file("crlf.dxf"));

    const preview_test::SampleDrawing sample = preview_test::makeSampleDrawing(folder);
    ASSERT_FALSE(sample.path.empty()) << sample.error;
    expectSameReading(sample.path);

    const preview_test::SampleDrawing plan = preview_test::makePlanDrawing(folder);
    ASSERT_FALSE(plan.path.empty()) << plan.error;
    expectSameReading(plan.path);
}

// A plan drawing of a route opens whole at the route's place in the world:
// its sheet ($EXTMIN to $EXTMAX) holds every entity and is not much larger
// than the line and the IP polygon with their texts.
TEST(PreviewPairReader, OpensAPlanDrawingWithItsExtent) {
    preview_test::TempFolder folder;
    const preview_test::SampleDrawing plan = preview_test::makePlanDrawing(folder);
    ASSERT_FALSE(plan.path.empty()) << plan.error;
    const DxfReadResult result = readDxfFileFast(plan.path);
    ASSERT_EQ(result.status, DxfReadStatus::ok);
    const DxfDrawing &d = result.drawing;
    // The centre line and the IP polygon; BP (X −5000, Y 12000) is their
    // lower left corner, in millimetres with x east and y north.
    DxfBox linework;
    for (const DxfArc &a : d.arcs) linework.include(arcBox(a));
    for (const DxfPolyline &p : d.polylines)
        for (const DxfPoint v : p.vertices) linework.include(v);
    for (const DxfLine &l : d.lines)
        if (l.layer != "D-BMK-HTXT") linework.include(l.start), linework.include(l.end);
    EXPECT_NEAR(linework.minX, 12000000.0, 1.0);
    EXPECT_NEAR(linework.minY, -5000000.0, 1.0);

    const DxfBox sheet = d.sheet(), all = d.entityExtents();
    ASSERT_FALSE(sheet.empty);
    EXPECT_LE(sheet.minX, all.minX);
    EXPECT_LE(sheet.minY, all.minY);
    EXPECT_GE(sheet.maxX, all.maxX);
    EXPECT_GE(sheet.maxY, all.maxY);
    // With the tables of the IPs beyond it (nine lines of 2.5 m) and a margin of 10 m.
    EXPECT_LT(sheet.width(), linework.width() + 60000.0);
    EXPECT_LT(sheet.height(), linework.height() + 60000.0);
}

TEST(PreviewPairReader, FilesCutShortOrNoDrawingAreNeverOk) {
    preview_test::TempFolder folder;
    EXPECT_EQ(readDxfFileFast(folder.file("missing.dxf")).status, DxfReadStatus::cannotOpen);
    std::ofstream(folder.file("empty.dxf"), std::ios::binary) << "";
    EXPECT_EQ(readDxfFileFast(folder.file("empty.dxf")).status, DxfReadStatus::notDxf);
    std::ofstream(folder.file("prose.dxf"), std::ios::binary) << "これはＤＸＦではありません\nplain text\n";
    EXPECT_EQ(readDxfFileFast(folder.file("prose.dxf")).status, DxfReadStatus::notDxf);

    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 7919) & 0xFF);
    std::ofstream(folder.file("binary.dxf"), std::ios::binary) << binary;
    EXPECT_NE(readDxfFileFast(folder.file("binary.dxf")).status, DxfReadStatus::ok);

    // Bytes changed here and there: whatever the status, the reading ends and
    // finds no more than the file holds.
    const std::string whole = bytesOf(fixture);
    unsigned seed = 12345;
    for (int round = 0; round < 300; ++round) {
        std::string damaged = whole;
        for (int k = 0; k < 1 + round % 5; ++k) {
            seed = seed * 1103515245u + 12345u;
            damaged[(seed >> 8) % damaged.size()] = static_cast<char>(seed >> 24);
        }
        std::ofstream(folder.file("damaged.dxf"), std::ios::binary | std::ios::trunc) << damaged;
        const DxfReadResult result = readDxfFileFast(folder.file("damaged.dxf"));
        EXPECT_LE(result.drawing.texts.size() + result.drawing.lines.size() + result.drawing.arcs.size(), 11u);
    }

    const size_t eof = whole.rfind("EOF");
    for (size_t cut = 0; cut < eof; cut += 7) {
        std::ofstream(folder.file("cut.dxf"), std::ios::binary | std::ios::trunc) << whole.substr(0, cut);
        const DxfReadResult result = readDxfFileFast(folder.file("cut.dxf"));
        EXPECT_NE(result.status, DxfReadStatus::ok) << "cut at " << cut;
        EXPECT_LE(result.drawing.texts.size(), 6u);
        EXPECT_LE(result.drawing.polylines.size(), 2u);
        for (const auto &p : result.drawing.polylines) EXPECT_LE(p.vertices.size(), 4u);
    }
}

TEST(PreviewPairReader, ReportsProgressByBytesAndStopsWhenAsked) {
    preview_test::TempFolder folder;
    const preview_test::DenseDrawing dense;
    const std::string path = folder.file("dense.dxf");
    ASSERT_TRUE(preview_test::writeDenseDrawing(path, dense));
    const std::uint64_t size = bytesOf(path).size();

    std::uint64_t last = 0, calls = 0;
    bool rising = true;
    DxfReadControl control;
    control.progress = [&](std::uint64_t done, std::uint64_t total) {
        rising = rising && done > last && total == size;
        last = done;
        ++calls;
    };
    const DxfReadResult result = readDxfFileFast(path, control);
    ASSERT_EQ(result.status, DxfReadStatus::ok);
    EXPECT_TRUE(rising);
    EXPECT_GE(calls, size / (std::uint64_t{8} << 20));
    EXPECT_EQ(last, size);
    long long vertices = 0;
    for (const auto &p : result.drawing.polylines) vertices += static_cast<long long>(p.vertices.size());
    EXPECT_EQ(vertices, dense.totalVertices());

    // Stopped after the first block: nothing is delivered.
    std::atomic<bool> stop{false};
    control.progress = [&](std::uint64_t, std::uint64_t) { stop = true; };
    control.cancel = &stop;
    const DxfReadResult stopped = readDxfFileFast(path, control);
    EXPECT_EQ(stopped.status, DxfReadStatus::cancelled);
    EXPECT_TRUE(stopped.drawing.polylines.empty());
}
