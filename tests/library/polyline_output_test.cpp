// The polyline's way to the output: the temporary file made anew for every
// polyline (but only ever replacing a regular file), and vertex records that
// are written byte for byte in their fixed layout, also for the cases that
// leave the direct path (a long layer name, a number that is not finite).
#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "drawing/dxf_writer.h"
#include "drawing/output_stream.h"
#include "geometry/clothoid.h"
#include "platform_skip.h"
#include "writer_test_support.h"

using namespace writer_testing;

namespace {

namespace fs = std::filesystem;

std::string hex(unsigned long long value) {
    char text[24];
    std::snprintf(text, sizeof text, "%llX", value);
    return text;
}

// One polyline of the given vertices (at least two) through the temporary file.
void drawPolyline(korvane::DxfWriter &dxf, const std::vector<korvane::Point> &points, const char *layer) {
    for (std::size_t i = 1; i < points.size(); ++i)
        dxf.writePolylineSegment(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y,
                                 static_cast<int>(i), layer);
}

std::string vertex(unsigned long long handle, const std::string &layer, const char *x,
                   const char *y) {
    return "0\nVERTEX\n5\n" + hex(handle) + "\n8\n" + layer + "\n10\n" + x + "\n20\n" + y +
           "\n30\n0.0\n";
}

} // namespace

using PolylineOutput = DrawingRunTest;

TEST_F(PolylineOutput, EachPolylineFindsOnlyItselfInTheTemporaryFile) {
    // A longer first polyline, then a shorter one: nothing of the first may
    // remain behind the second.
    ASSERT_EQ(korvane::createTempFile(streams()), 1);
    drawPolyline(dxf(), {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}}, "D-BMK");
    ASSERT_EQ(dxf().writeSeqend(), 1);
    ASSERT_EQ(korvane::closeTempFile(streams()), 1);

    ASSERT_EQ(korvane::createTempFile(streams()), 1);
    // The first polyline took seven handles: POLYLINE, five vertices, SEQEND.
    const unsigned long long before = korvane::kHandleAtLoad + 7;
    drawPolyline(dxf(), {{-1.25, 7}, {8, -0.0000004}}, "D-STR");
    ASSERT_EQ(dxf().writeSeqend(), 1);
    ASSERT_EQ(korvane::closeTempFile(streams()), 1);
    EXPECT_EQ(testing_support::readFile(tempPath),
              "0\nPOLYLINE\n5\n" + hex(before + 1) + "\n8\nD-STR\n66\n1\n10\n0.0\n20\n0.0\n30\n0.0\n" +
                  vertex(before + 2, "D-STR", "-1.250000", "7.000000") +
                  vertex(before + 3, "D-STR", "8.000000", "-0.000000") + "0\nSEQEND\n5\n" +
                  hex(before + 4) + "\n8\nD-BMK\n");
    EXPECT_TRUE(messages().empty());
}

TEST_F(PolylineOutput, OnlyARegularFileIsReplaced) {
    // A folder under the temporary file's name is refused and left standing.
    fs::create_directory(tempPath);
    testing_support::writeFile(tempPath + "/inside", "kept");
    EXPECT_EQ(korvane::createTempFile(streams()), 0);
    EXPECT_EQ(messages(), (std::vector<std::string>{"Can't open tmpDXF file"}));
    EXPECT_TRUE(fs::is_directory(tempPath));
    EXPECT_EQ(testing_support::readFile(tempPath + "/inside"), "kept");
    fs::remove_all(tempPath);
}

TEST_F(PolylineOutput, ALinkOrAPipeIsWrittenThroughNotReplaced) {
    KORVANE_SKIP_ON_WINDOWS("needs symbolic links and FIFOs");
#ifndef _WIN32
    // A link stays a link; the polyline goes to the file it names, as before.
    const std::string target = dir.file("target.dxf");
    testing_support::writeFile(target, "old content that is longer than the polyline");
    fs::create_symlink(target, tempPath);
    ASSERT_EQ(korvane::createTempFile(streams()), 1);
    drawPolyline(dxf(), {{0, 0}, {1, 1}}, "D-BMK");
    ASSERT_EQ(korvane::closeTempFile(streams()), 1);
    EXPECT_TRUE(fs::is_symlink(tempPath));
    EXPECT_EQ(testing_support::readFile(target).rfind("0\nPOLYLINE\n", 0), 0u);
    EXPECT_EQ(testing_support::readFile(target).find("old content"), std::string::npos);
    fs::remove(tempPath);

    // A pipe (with a reader waiting) is opened and written, never removed.
    ASSERT_EQ(::mkfifo(tempPath.c_str(), 0600), 0);
    const int reader = ::open(tempPath.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    ASSERT_EQ(korvane::createTempFile(streams()), 1);
    ASSERT_EQ(korvane::closeTempFile(streams()), 1);
    ::close(reader);
    EXPECT_TRUE(fs::is_fifo(tempPath));
#endif
}

TEST_F(PolylineOutput, VerticesOffTheDirectPathKeepTheirRecords) {
    // A layer name longer than the direct path takes, and numbers beyond 2^43
    // and of every size a double can hold.
    const std::string layer(100, 'L');
    ASSERT_EQ(korvane::createTempFile(streams()), 1);
    const unsigned long long before = korvane::kHandleAtLoad;
    dxf().writePolylineSegment(1e20, -0.5, 2.5, 3.0, 1, layer.c_str());
    dxf().writePolylineSegment(2.5, 3.0, -1e300, 1e-300, 2, "D-STR");
    ASSERT_EQ(korvane::closeTempFile(streams()), 1);
    const std::string content = testing_support::readFile(tempPath);
    char huge[400];
    std::snprintf(huge, sizeof huge, "%f", -1e300);
    EXPECT_EQ(content.substr(content.find("0\nVERTEX")),
              vertex(before + 2, layer, "100000000000000000000.000000", "-0.500000") +
                  vertex(before + 3, layer, "2.500000", "3.000000") +
                  vertex(before + 4, "D-STR", huge, "0.000000"));
    EXPECT_TRUE(messages().empty());
    EXPECT_FALSE(streams().writeFailed());
}

TEST_F(PolylineOutput, AVertexWithANumberThatIsNotFiniteIsLeftOutAndReported) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    ASSERT_EQ(korvane::createTempFile(streams()), 1);
    drawPolyline(dxf(), {{0, 0}, {nan, 1}, {2, inf}, {3, 3}}, "D-BMK");
    ASSERT_EQ(dxf().writeSeqend(), 1);
    ASSERT_EQ(korvane::closeTempFile(streams()), 1);
    const std::string content = testing_support::readFile(tempPath);
    // No reader takes "nan" or "inf": those vertices are missing, the others
    // stand in order, and the run counts as failed.
    EXPECT_EQ(content.find("nan"), std::string::npos);
    EXPECT_EQ(content.find("inf"), std::string::npos);
    const auto pairs = groupPairs(content);
    std::vector<std::string> xs;
    for (std::size_t i = 0; i + 1 < pairs.size(); ++i)
        if (pairs[i].first == "10" && pairs[i + 1].first == "20") xs.push_back(pairs[i].second);
    EXPECT_EQ(xs, (std::vector<std::string>{"0.0", "0.000000", "3.000000"}));
    EXPECT_TRUE(streams().writeFailed());
    EXPECT_FALSE(messages().empty());
    for (const std::string &m : messages()) EXPECT_EQ(m, "fprintfｴﾗｰ");
}
