// Reading a route: the IP table as CSV, the route file and its settings,
// and a file told apart by its content. Every refusal is one message naming
// the line, the column or key, and the text found.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "route/ip_table_csv.h"
#include "route/route_file.h"
#include "route/route_input.h"
#include "test_support.h"

using namespace korvane::route;

namespace {

std::string refusalOf(const LoadedRoute &route) {
    for (const Message &m : route.messages)
        if (m.severity == Severity::Refusal) return m.text;
    return {};
}

LoadedRoute loadedFrom(const std::string &content, const std::string &settings = {}) {
    testing_support::TempDir dir;
    testing_support::writeFile(dir.file("input"), content);
    if (!settings.empty()) testing_support::writeFile(dir.file("settings.rvr"), settings);
    const std::string settingsPath = settings.empty() ? std::string() : dir.file("settings.rvr");
    return loadRoute(dir.file("input").c_str(), settingsPath.c_str());
}

const std::string kHeader = "点名,X,Y,A1,R,A2,R2,AM,LC\n";

} // namespace

// Each row of a table that cannot be read gets one message with its line,
// its column and the text found; numbers are plain decimals only.
TEST(IpTableCsv, RefusalsNameTheLineTheColumnAndTheText) {
    const std::pair<std::string, std::string> cases[] = {
        {"点名,X,Y,Z\n", "1行目（見出し） 4列目の「Z」は IP 表の列名ではありません（点名, X, Y, A1, R, A2, R2, AM, LC）。"},
        {"X,Y,x\n", "1行目（見出し）: 列「X」が二つあります。"},
        {"点名,X,R\n", "1行目（見出し）に列「Y」がありません。"},
        {"", "に見出しの行がありません。"},
        {kHeader + "BP,0,0\nIP1,10,0x10,,50\n", "3行目「Y」列の「0x10」は数値ではありません。"},
        {kHeader + "BP,0,0\nIP1,10,5,,inf\n", "3行目「R」列の「inf」は数値ではありません。"},
        {kHeader + "BP,0,0\nIP1,10,5,nan\n", "3行目「A1」列の「nan」は数値ではありません。"},
        {kHeader + "BP,0,0\nIP1,10,5,,1e3\n", "3行目「R」列の「1e3」は数値ではありません。"},
        {kHeader + "BP,0,0\nIP1,10,5,,\"1,5\"\n", "3行目「R」列の「1,5」は数値ではありません。"},
        {kHeader + "BP,0,0\nIP1,10,5,,1.2.3\n", "3行目「R」列の「1.2.3」は数値ではありません。"},
        {kHeader + "BP,,0\n", "2行目「X」列が空です（X と Y は必ず入れます）。"},
        {kHeader + "BP,0,0,,,,,,,9\n", "2行目: 欄が 10 あり、見出しの 9 列より多くなっています（「9」）。"},
        {kHeader + "\"BP,0,0\n", "2行目: 引用符 \" が閉じていません。"},
        {kHeader + "B\"P,0,0\n", "2行目: 引用符で始まらない欄に引用符 \" があります。"},
        {kHeader + "\"B\"x,0,0\n", "2行目: 引用符で囲んだ欄の後に文字があります。"},
        {kHeader + "\"B\tP\",0,0\n", "2行目「点名」列に制御文字があります。"},
        // A name with a line break (a quoted field may hold one) is refused too.
        {kHeader + "\"B\nP\",0,0\nIP1,1,x\n", "2行目「点名」列に制御文字があります。"},
    };
    for (const auto &[text, message] : cases) {
        std::vector<IpInput> points;
        std::string problem;
        EXPECT_FALSE(readIpTable(text, points, problem)) << text;
        EXPECT_EQ(problem, message) << text;
    }
}

// Columns in any order and in any case or width, empty cells as values not
// used, short rows, quoted cells, blank and empty rows, full-width digits
// and signs as an input method types them.
TEST(IpTableCsv, ReadsWhatSpreadsheetsWrite) {
    const std::string text = "\r\nｙ, x ,点名,r,a1,A2,LC,AM,R2\r\n"
                             "0,0,BP\r\n"
                             "\r\n"
                             ",,,,,,,,\r\n"
                             "\"12,5\"\r\n";
    std::vector<IpInput> points;
    std::string problem;
    EXPECT_FALSE(readIpTable(text, points, problem));
    EXPECT_EQ(problem, "6行目「Y」列の「12,5」は数値ではありません。");

    const std::string good = "ｙ, x ,点名,r,a1,A2,LC,AM,R2\r\n"
                             "５６７８．９０１２,－１２３４．５６７８,BP\r\n"
                             "+20,-0.5,\"IP,1\",300,100,100\r\n"
                             "\r\n"
                             ",,,,,,,,\r\n"
                             "40,.25,,400,80,90,20.5,120,250\r\n"
                             "60,1,EP\r\n";
    ASSERT_TRUE(readIpTable(good, points, problem)) << problem;
    ASSERT_EQ(points.size(), 4u);
    EXPECT_EQ(points[0].name, "BP");
    EXPECT_EQ(points[0].point.x, -1234.5678);
    EXPECT_EQ(points[0].point.y, 5678.9012);
    EXPECT_EQ(points[1].name, "IP,1");
    EXPECT_EQ(points[1].point.x, -0.5);
    EXPECT_EQ(points[1].point.y, 20);
    EXPECT_EQ(points[1].curve.r, 300);
    EXPECT_EQ(points[1].curve.a1, 100);
    EXPECT_EQ(points[1].curve.a2, 100);
    EXPECT_FALSE(points[1].curve.r2 || points[1].curve.am || points[1].curve.lc);
    EXPECT_EQ(points[2].name, "");
    EXPECT_EQ(points[2].point.x, 0.25);
    EXPECT_EQ(points[2].curve.lc, 20.5);
    EXPECT_EQ(points[2].curve.am, 120);
    EXPECT_EQ(points[2].curve.r2, 250);
    EXPECT_FALSE(points[3].curve.a1 || points[3].curve.r);
}

// A route file that cannot be read: one message with the line, the key and
// the text found. A key this version does not know is refused, so that a
// mistyped one never passes unnoticed.
TEST(RouteFile, RefusalsNameTheLineTheKeyAndTheText) {
    const std::string head = "[route]\nformat = 1\n";
    const std::pair<std::string, std::string> cases[] = {
        {"[route]\nformat = 2\n", "2行目: format = 2: 新しい版の路線ファイルです（この版が読めるのは format = 1 まで）。"},
        {"[route]\nname = a\n", "1行目の [route] に format がありません。"},
        {"[ip]\nx = 1\n", "[route] の節がありません。"},
        {head + "pich = 10\n", "3行目: pich: [route] の知らないキーです。"},
        {head + "pitch = 10\npitch = 20\n", "4行目: pitch が二度あります。"},
        {head + "pitch = 0x10\n", "3行目: pitch の値「0x10」は数値ではありません。"},
        {head + "pitch = 0\n", "3行目: pitch の値「0」は正の数でなければなりません。"},
        {head + "bp.station = nan\n", "3行目: bp.station の値「nan」は数値ではありません。"},
        {head + "zone = 20\n", "3行目: zone の値「20」は 0 から 19 の整数です。"},
        {head + "zone = 9.5\n", "3行目: zone の値「9.5」は 0 から 19 の整数です。"},
        {head + "speed = 70\n", "3行目: speed の値「70」は設計速度 120, 100, 80, 60, 50, 40, 30, 20 km/h のどれでもありません。"},
        {head + "equation = 100\n", "3行目: equation の値「100」は「戻り側の測点 = 進む側の測点」ではありません。"},
        {head + "equation = 100 = 1e2\n", "3行目: equation の値「100 = 1e2」は「戻り側の測点 = 進む側の測点」ではありません。"},
        {head + "extra = x 橋\n", "3行目: extra の値「x 橋」は「追加距離 [名前]」ではありません。"},
        {head + "width.left = -1\n", "3行目: width.left の値「-1」は 0 から 1000 m です。"},
        {head + "bp.no = 5\n", "1行目の [route]: bp.no と bp.plus は二つそろえて書きます。"},
        {head + "bp.no = 5.5\nbp.plus = 1\n", "3行目: bp.no の値「5.5」は整数ではありません。"},
        {head + "bp.station = 1\nbp.no = 5\nbp.plus = 1\n", "1行目の [route]: bp.station と bp.no・bp.plus は一緒には書けません。"},
        {head + "name = \"a\\tb\"\n", "3行目: name の値に制御文字があります。"},
        {head + "name = \"ab\n", "3行目: 引用符で始まる値が閉じていません。"},
        {head + "name = \"a\\qb\"\n", "3行目: 引用符の中に使えない \\ があります (使えるのは \\\" \\\\ \\n \\r \\t)。"},
        {head + "just text\n", "3行目: 「キー = 値」の形ではありません。"},
        {head + "[ip\n", "3行目: 節の見出しが ] で終わっていません。"},
        {head + "[route]\nformat = 1\n", "3行目: [route] が二つあります。"},
        {"format = 1\n[route]\n", "1行目: 節の見出しより前に値があります。"},
        {head + "\n[ip]\nx = 1\n", "4行目の [ip] に y がありません。"},
        {head + "[ip]\nx = 1\ny = 2\nR = 5\n", "6行目: R: [ip] の知らないキーです。"},
        {head + "[ip]\nx = 1\nx = 2\n", "5行目: x が二度あります。"},
        {head + "[ip]\nx = 1\ny = inf\n", "5行目: y の値「inf」は数値ではありません。"},
        {head + "name = \xff\n", "UTF-8 のテキストではありません。"},
    };
    for (const auto &[text, message] : cases) {
        RouteSettings settings;
        std::vector<IpInput> ips;
        std::string problem;
        EXPECT_FALSE(readRouteFile(text, settings, ips, problem)) << text;
        EXPECT_EQ(problem, message) << text;
    }
}

// What routeFileText writes reads back exactly: every double (0.1 + 0.2 and
// 1/3 too), names that need quotes, equations, named extra stations, the
// widths, and every kind of curve. Comments, blank lines, other sections
// and the BP station as NO and plus are read as a person may write them.
TEST(RouteFile, RoundTripAndHandWrittenFiles) {
    RouteSettings s;
    s.name = " R&D \"1\" 国道\\2 ";
    s.zone = 19;
    s.stationing = Stationing{0.1 + 0.2, 7.3, {{1234.567, 1240}, {1500, 1450.5}}, {{105.5, ""}, {1.0 / 3, "橋 起点"}}};
    s.speed = 60;
    s.widths = StakeWidths{5.5, 0};
    std::vector<IpInput> ips = {
        {"BP", {-41234.5678, 15678.9012}, {}},
        {"", {-1e-7, 1.0 / 3}, {100.0, 250.0, 100.0, {}, {}, {}}},
        {"IP 2", {3, 4}, {90.0, 400.0, 100.0, 200.0, 150.0, 40.0}},
        {"\"終点\"", {5, 6}, {}},
    };
    std::string problem;
    RouteSettings read;
    std::vector<IpInput> readIps;
    ASSERT_TRUE(readRouteFile(routeFileText(s, ips), read, readIps, problem)) << problem;
    EXPECT_EQ(read.name, s.name);
    EXPECT_EQ(read.zone, 19);
    EXPECT_EQ(read.stationing.bpStation, 0.1 + 0.2);
    EXPECT_EQ(read.stationing.pitch, 7.3);
    ASSERT_EQ(read.stationing.equations.size(), 2u);
    EXPECT_EQ(read.stationing.equations[1].ahead, 1450.5);
    ASSERT_EQ(read.stationing.extras.size(), 2u);
    EXPECT_EQ(read.stationing.extras[1].station, 1.0 / 3);
    EXPECT_EQ(read.stationing.extras[1].name, "橋 起点");
    EXPECT_EQ(read.speed, 60);
    ASSERT_TRUE(read.widths);
    EXPECT_EQ(read.widths->left, 5.5);
    EXPECT_EQ(read.widths->right, 0);
    ASSERT_EQ(readIps.size(), ips.size());
    for (std::size_t i = 0; i < ips.size(); ++i) {
        EXPECT_EQ(readIps[i].name, ips[i].name);
        EXPECT_EQ(readIps[i].point.x, ips[i].point.x);
        EXPECT_EQ(readIps[i].point.y, ips[i].point.y);
        const CurveInput &a = readIps[i].curve, &b = ips[i].curve;
        EXPECT_TRUE(a.a1 == b.a1 && a.r == b.r && a.a2 == b.a2 && a.r2 == b.r2 && a.am == b.am && a.lc == b.lc) << i;
    }

    const std::string byHand = "\xEF\xBB\xBF# 手で書いた路線\r\n[route]\r\n; 版\r\nformat = 1\r\n\r\n"
                               "pitch = 10\r\nbp.no = 5\r\nbp.plus = １２．３４５\r\n[profile]\r\nanything = at all\r\n"
                               "[ip]\r\nx = 0\r\ny = 0\r\n";
    ASSERT_TRUE(readRouteFile(byHand, read, readIps, problem)) << problem;
    EXPECT_DOUBLE_EQ(read.stationing.bpStation, 62.345); // NO.5 + 12.345 at the pitch of 10 given before them
    EXPECT_EQ(read.zone, 0);
    EXPECT_EQ(read.speed, 0);
    EXPECT_FALSE(read.widths);
    EXPECT_EQ(readIps.size(), 1u);
}

// Saving replaces a file only once the new one is complete; a file that
// cannot be written leaves nothing behind.
TEST(RouteFile, SaveReplacesOnlyWhenWritten) {
    testing_support::TempDir dir;
    const std::string path = dir.file("route.rvr");
    testing_support::writeFile(path, "old");
    RouteSettings s;
    s.name = "路線";
    ASSERT_TRUE(saveRouteFile(s, {{"BP", {0, 0}, {}}, {"EP", {10, 0}, {}}}, path.c_str()));
    EXPECT_EQ(testing_support::readBytes(path).rfind("# Rovena 路線ファイル\n[route]\nformat = 1\nname = 路線\n", 0), 0u);
    const std::string missing = dir.file("no-such-folder/route.rvr");
    EXPECT_FALSE(saveRouteFile(s, {}, missing.c_str()));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// Settings given apart (the options of a command line) replace those read:
// each key given its value, the equations given the whole list; their
// messages name the key, since the user never saw their file.
TEST(RouteFile, SettingsReplaceThoseRead) {
    RouteSettings s;
    s.name = "元";
    s.zone = 9;
    s.stationing = Stationing{100, 20, {{150, 160}, {200, 190}}, {{120, "橋"}}};
    std::string problem;
    ASSERT_TRUE(applyRouteSettings("[route]\nformat = 1\nname = 新\nequation = 300 = 310\nbp.no = 2\nbp.plus = 3\n"
                                   "pitch = 10\n",
                                   s, problem))
        << problem;
    EXPECT_EQ(s.name, "新");
    EXPECT_EQ(s.zone, 9);
    EXPECT_EQ(s.stationing.bpStation, 23);
    ASSERT_EQ(s.stationing.equations.size(), 1u);
    EXPECT_EQ(s.stationing.equations[0].back, 300);
    EXPECT_EQ(s.stationing.extras.size(), 1u);

    EXPECT_FALSE(applyRouteSettings("[route]\nformat = 1\nzone = 25\n", s, problem));
    EXPECT_EQ(problem, "zone の値「25」は 0 から 19 の整数です。");
    EXPECT_EQ(s.zone, 9); // a refused file changes nothing
    EXPECT_FALSE(applyRouteSettings("[route]\nformat = 1\n[ip]\nx = 0\ny = 0\n", s, problem));
    EXPECT_EQ(problem, "3行目: 設定のファイルに [ip] は書けません。");
}

// A file is read by what it holds, whatever its name; every refusal says
// which of the inputs it concerns.
TEST(RouteInput, KindByContentAndRefusalsNamed) {
    EXPECT_EQ(inputKind("<?xml version=\"1.0\"?><LandXML/>"), InputKind::LandXml);
    EXPECT_EQ(inputKind("\xEF\xBB\xBF \r\n<LandXML>"), InputKind::LandXml);
    EXPECT_EQ(inputKind("\xEF\xBB\xBF# 路線\n\n[route]\n"), InputKind::RouteFile);
    EXPECT_EQ(inputKind("点名,X,Y\n[1],0,0\n"), InputKind::IpTable);

    const std::pair<LoadedRoute, std::string> cases[] = {
        {loadedFrom(kHeader + "BP,0,0\nEP,0,abc\n"), "IP 表（CSV）3行目「Y」列の「abc」は数値ではありません。"},
        // A lead byte followed by a byte that ends no cp932 character (Windows
        // gives 0x80 and 0xA0 characters of their own; no cp932 reader takes this).
        {loadedFrom("\x93\x5f\x96\xbc,X,Y\n\x81\x20,0,0\n"), "IP 表（CSV）が UTF-8 でも cp932 でもありません。"},
        {loadedFrom("[route]\nformat = 1\npitch = -1\n"), "路線ファイル 3行目: pitch の値「-1」は正の数でなければなりません。"},
#ifdef _WIN32
        {loadedFrom("<?xml version=\"1.0\"?>\n<LandXML/>\n"),
         "この Windows 版の Korvane は LandXML ファイルを読めません。LandXML の読み込みには Linux 版の Rovena または "
         "korvane-route を使ってください。"},
#else
        {loadedFrom("<?xml version=\"1.0\"?>\n<LandXML/>\n"), "LandXML ファイルには線形（Alignment）がありません。"},
#endif
        {loadedFrom(kHeader + "BP,0,0\nEP,0,100\n", "[route]\nformat = 1\nspeed = 45\n"),
         "設定: speed の値「45」は設計速度 120, 100, 80, 60, 50, 40, 30, 20 km/h のどれでもありません。"},
        {loadedFrom(kHeader + "BP,0,0\n"), "路線には BP と EP の少なくとも 2 点が必要です。"},
    };
    for (const auto &[route, message] : cases) {
        EXPECT_EQ(refusalOf(route), message);
        EXPECT_TRUE(route.alignment.segments.empty());
    }
    const LoadedRoute missing = loadRoute("/no/such/route.csv");
    EXPECT_EQ(refusalOf(missing), "路線の入力ファイル: ファイルを開けません（No such file or directory）。");

    // cp932 and UTF-8 with a byte-order mark read alike; settings replace the file's.
    const LoadedRoute cp932 = loadedFrom("\x93\x5f\x96\xbc,X,Y\r\n\x8b\x4e\x93\x5f,0,0\r\nEP,0,100\r\n",
                                         "[route]\nformat = 1\nname = 県道\nzone = 6\n");
    const LoadedRoute utf8 = loadedFrom("\xEF\xBB\xBF点名,X,Y\nBP,0,0\nEP,0,100\n");
    ASSERT_EQ(cp932.ips.size(), 2u);
    EXPECT_EQ(cp932.ips[0].name, "起点");
    EXPECT_EQ(cp932.settings.name, "県道");
    EXPECT_EQ(cp932.settings.zone, 6);
    EXPECT_EQ(cp932.alignment.length(), 100);
    EXPECT_EQ(utf8.ips[0].name, "BP");
    EXPECT_EQ(utf8.alignment.length(), 100);
}
