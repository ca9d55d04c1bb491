// The route exports as a host calls them: paths in, 1 or 0 out, every
// refusal and warning through the message handler; a refused route writes
// nothing, and an earlier file is replaced only by a complete new one.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "korvane.h"
#include "test_support.h"

using testing_support::MessageRecorder;
using testing_support::readBytes;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

// BP, a simple curve R = 50 turning right by 90° at IP1, EP.
const std::string kCorner = "点名,X,Y,R\nBP,0,0,\nIP1,100,0,50\nEP,100,100,\n";

// Two curves whose tangent lengths (60 and 50 m) overlap on a 100 m leg.
const std::string kOverlap = "点名,X,Y,R\nBP,0,0,\nIP1,100,0,60\nIP2,100,100,50\nEP,0,100,\n";

bool startOf(const std::string &bytes, const std::string &start) { return bytes.rfind(start, 0) == 0; }

struct Files {
    TempDir dir;
    std::string input = dir.file("ips.csv");
    std::string settings = dir.file("settings.rvr");
    explicit Files(const std::string &ips, const std::string &settingsText = {}) {
        writeFile(input, ips);
        if (!settingsText.empty()) writeFile(settings, settingsText);
        else settings.clear();
    }
    const char *settingsPath() const { return settings.empty() ? nullptr : settings.c_str(); }
    std::size_t fileCount() const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir.path()), {}));
    }
};

} // namespace

// A refused route shows its refusal and writes nothing: an earlier file at
// the output stays as it was, and no other file appears.
TEST(RouteExports, ARefusedRouteWritesNothing) {
    Files f(kOverlap);
    const std::string table = f.dir.file("table.csv");
    writeFile(table, "earlier");
    MessageRecorder messages;
    EXPECT_EQ(korvane_route_table(f.input.c_str(), nullptr, table.c_str(), 0), 0);
    EXPECT_EQ(korvane_route_sima(f.input.c_str(), nullptr, table.c_str()), 0);
    EXPECT_EQ(korvane_route_check(f.input.c_str(), nullptr), 0);
    EXPECT_EQ(readBytes(table), "earlier");
    EXPECT_EQ(f.fileCount(), 2u);
    ASSERT_FALSE(messages.utf8().empty());
    EXPECT_EQ(messages.utf8()[0], "IP1 と IP2 の曲線が 10.0000 m 重なっています（IP1 から IP2 まで 100.000 m、TL2 60.000 m + "
                                  "TL1 50.000 m）。");
}

// Warnings are shown, marked as such, and the output is still written.
TEST(RouteExports, WarningsAreShownAndTheOutputWritten) {
    Files f(kCorner, "[route]\nformat = 1\nspeed = 40\n");
    const std::string table = f.dir.file("table.csv");
    MessageRecorder messages;
    EXPECT_EQ(korvane_route_table(f.input.c_str(), f.settingsPath(), table.c_str(), 1), 1);
    ASSERT_FALSE(messages.utf8().empty());
    for (const std::string &m : messages.utf8()) EXPECT_EQ(m.rfind("警告: IP1: ", 0), 0u) << m;
    EXPECT_EQ(readBytes(table).rfind("\xEF\xBB\xBF点名,測点,追加距離,実距離,X,Y,方向角\r\nBP,NO.0+0.000,", 0), 0u);
}

// Tables in cp932 by default and in UTF-8 after a byte-order mark on
// request; SIMA always in cp932; the calculation sheet in cp932, UTF-8 or
// as JSON.
TEST(RouteExports, Encodings) {
    Files f(kCorner, "[route]\nformat = 1\nname = 中心線\nwidth.left = 2\nwidth.right = 3\n");
    const std::string cp932 = f.dir.file("a.csv"), utf8 = f.dir.file("b.csv"), sima = f.dir.file("c.sim"),
                      stakes = f.dir.file("d.csv"), sheet = f.dir.file("e.txt"), json = f.dir.file("f.json");
    MessageRecorder messages;
    ASSERT_EQ(korvane_route_table(f.input.c_str(), f.settingsPath(), cp932.c_str(), 0), 1);
    ASSERT_EQ(korvane_route_table(f.input.c_str(), f.settingsPath(), utf8.c_str(), 1), 1);
    ASSERT_EQ(korvane_route_sima(f.input.c_str(), f.settingsPath(), sima.c_str()), 1);
    ASSERT_EQ(korvane_route_stakes(f.input.c_str(), f.settingsPath(), stakes.c_str(), 0), 1);
    ASSERT_EQ(korvane_route_report(f.input.c_str(), f.settingsPath(), sheet.c_str(), 0), 1);
    ASSERT_EQ(korvane_route_report(f.input.c_str(), f.settingsPath(), json.c_str(), 2), 1);
    EXPECT_TRUE(messages.cp932().empty());
    // 点名,測点,追加距離,実距離,X,Y,方向角 and the first row with its ° ′ ″.
    EXPECT_TRUE(startOf(readBytes(cp932),
              "\x93\x5f\x96\xbc,\x91\xaa\x93\x5f,\x92\xc7\x89\xc1\x8b\x97\x97\xa3,\x8e\xc0\x8b\x97\x97\xa3,X,Y,"
              "\x95\xfb\x8c\xfc\x8a\x70\r\nBP,NO.0+0.000,0.0000,0.0000,0.0000,0.0000,000\x81\x8b" "00\x81\x8c"
              "00.0\x81\x8d\r\n"));
    EXPECT_TRUE(startOf(readBytes(utf8), "\xEF\xBB\xBF点名,"));
    EXPECT_TRUE(startOf(readBytes(sima), "G00,03,\x92\x86\x90\x53\x90\xfc,\r\nZ00,\x8d\xc0\x95\x57\x83\x66\x81\x5b\x83\x5e,\r\n"
                                             "A00,\r\nA01,1,BP,"));
    EXPECT_TRUE(startOf(readBytes(stakes), "\x93\x5f\x96\xbc,\x91\xaa\x93\x5f,\x92\xc7\x89\xc1\x8b\x97\x97\xa3,\x8d\xb6\x89\x45,"));
    EXPECT_TRUE(startOf(readBytes(sheet), "\x90\xfc\x8c\x60\x8c\x76\x8e\x5a\x8f\x91\r\n")); // 線形計算書
    EXPECT_TRUE(startOf(readBytes(json), "{\"title\":\"線形計算書\","));
}

// What an export cannot do is said, and nothing is written: stakes without
// widths, a sheet format that does not exist, a missing input, an output
// in a folder that does not exist or that is a folder, a null path.
TEST(RouteExports, RefusalsOfTheCall) {
    Files f(kCorner);
    const std::string out = f.dir.file("out.csv"), folder = f.dir.file("folder");
    std::filesystem::create_directory(folder);
    const std::string missingFolder = f.dir.file("no-such-folder/out.csv");
    MessageRecorder messages;
    EXPECT_EQ(korvane_route_stakes(f.input.c_str(), nullptr, out.c_str(), 0), 0);
    EXPECT_EQ(korvane_route_report(f.input.c_str(), nullptr, out.c_str(), 3), 0);
    EXPECT_EQ(korvane_route_table(f.dir.file("none.csv").c_str(), nullptr, out.c_str(), 0), 0);
    EXPECT_EQ(korvane_route_table(f.input.c_str(), nullptr, missingFolder.c_str(), 0), 0);
    EXPECT_EQ(korvane_route_table(f.input.c_str(), nullptr, folder.c_str(), 0), 0);
    EXPECT_EQ(korvane_route_table(nullptr, nullptr, nullptr, 0), 0);
    EXPECT_EQ(messages.utf8(), (std::vector<std::string>{
                                   "幅杭の幅（左右）が指定されていません。",
                                   "線形計算書の書式は 0（cp932 のテキスト）、1（UTF-8 のテキスト）、2（JSON）のいずれかです。",
                                   "路線の入力ファイル: ファイルを開けません（No such file or directory）。",
                                   "ファイル書き込みできません: " + missingFolder,
                                   "ファイル書き込みできません: " + folder,
                                   "路線の入力ファイル: ファイルが指定されていません。",
                               }));
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(f.fileCount(), 2u); // the input and the folder: no output, no temporary file
}

// A route file saved from an IP table and settings computes to the same
// table; a refused route can be saved too (to be mended later).
TEST(RouteExports, SaveAndReadBack) {
    Files f(kCorner, "[route]\nformat = 1\nname = 県道\nbp.station = 100\npitch = 25\n");
    const std::string route = f.dir.file("route.rvr"), fromCsv = f.dir.file("a.csv"), fromRoute = f.dir.file("b.csv");
    MessageRecorder messages;
    ASSERT_EQ(korvane_route_save(f.input.c_str(), f.settingsPath(), route.c_str()), 1);
    ASSERT_EQ(korvane_route_table(f.input.c_str(), f.settingsPath(), fromCsv.c_str(), 1), 1);
    ASSERT_EQ(korvane_route_table(route.c_str(), nullptr, fromRoute.c_str(), 1), 1);
    EXPECT_EQ(readBytes(fromCsv), readBytes(fromRoute));
    EXPECT_NE(readBytes(fromRoute).find("\r\nBP,NO.4+0.000,100.0000,0.0000,"), std::string::npos);

    writeFile(f.input, kOverlap);
    EXPECT_EQ(korvane_route_save(f.input.c_str(), nullptr, route.c_str()), 1);
    EXPECT_NE(readBytes(route).find("[ip]\nname = IP2\nx = 100\ny = 100\nr = 50\n"), std::string::npos);
    EXPECT_TRUE(messages.cp932().empty());
}

// The plan drawing is written whole or not at all: a scale it cannot be drawn
// at, a missing header template, a folder that does not exist and a refused
// route each leave the earlier file as it was and no file of their own; a
// plan drawn replaces it and leaves nothing beside it.
TEST(RouteExports, ThePlanIsWrittenWholeOrNotAtAll) {
    Files f(kCorner), refused(kOverlap);
    const std::string plan = f.dir.file("plan.dxf"), header = testing_support::binDir() + "/aln_hdr_.dxf";
    writeFile(plan, "earlier");
    MessageRecorder messages;
    const char *in = f.input.c_str();
    EXPECT_EQ(korvane_route_plan(in, nullptr, plan.c_str(), header.c_str(), 0), 0);
    EXPECT_EQ(korvane_route_plan(in, nullptr, plan.c_str(), header.c_str(), 100001), 0);
    EXPECT_EQ(korvane_route_plan(in, nullptr, plan.c_str(), f.dir.file("none.dxf").c_str(), 1000), 0);
    EXPECT_EQ(korvane_route_plan(in, nullptr, f.dir.file("no/plan.dxf").c_str(), header.c_str(), 1000), 0);
    EXPECT_EQ(korvane_route_plan(refused.input.c_str(), nullptr, plan.c_str(), header.c_str(), 1000), 0);
    EXPECT_EQ(readBytes(plan), "earlier");
    EXPECT_EQ(f.fileCount(), 2u);
    ASSERT_EQ(messages.utf8().size(), 5u);
    EXPECT_EQ(messages.utf8()[0], "平面図の縮尺 1/0 は描けません（1/1 から 1/100000 まで）。");
    EXPECT_EQ(messages.utf8()[1], "平面図の縮尺 1/100001 は描けません（1/1 から 1/100000 まで）。");
    EXPECT_EQ(messages.utf8()[2], "Can't open ALN_HDR_.DXF(DXFﾍｯﾀﾞｰﾌｧｲﾙ) file");
    EXPECT_EQ(messages.utf8()[3], "Can't open 新DXF file");

    EXPECT_EQ(korvane_route_plan(in, nullptr, plan.c_str(), header.c_str(), 1000), 1);
    const std::string drawn = testing_support::readFile(plan); // a text file: CR LF on Windows
    EXPECT_TRUE(startOf(drawn, "0\nSECTION\n2\nHEADER\n"));
    EXPECT_TRUE(drawn.ends_with("0\nENDSEC\n0\nEOF\n"));
    EXPECT_EQ(f.fileCount(), 2u);
}
