// Files made to hurt a reader, and files in the encodings Japanese programs
// write: the reader fetches nothing, reads no other file, expands nothing,
// stops at once, and says where; cp932's own characters come through.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#ifndef _WIN32
#  include <arpa/inet.h>
#  include <netinet/in.h>
#  include <poll.h>
#  include <sys/resource.h>
#  include <sys/socket.h>
#  include <unistd.h>
#endif

#include "landxml/landxml_reader.h"
#include "landxml_support.h"
#include "platform_skip.h"

using korvane::landxml::readLandXml;
using korvane::landxml::readLandXmlText;
using korvane::route::LoadedRoute;
using landxml_support::fileWith;
using testing_support::TempDir;

namespace {

const std::string kAlignment = "<Alignments><Alignment name=\"A\"><CoordGeom>"
                               "<Line><Start>0 0</Start><End>0 100</End></Line></CoordGeom></Alignment></Alignments>";

std::string refusalOf(const LoadedRoute &r) {
    for (const auto &m : r.messages)
        if (m.severity == korvane::route::Severity::Refusal) return m.text;
    return {};
}

#ifndef _WIN32
long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}
#endif

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

// Ten entities of ten references each would make 10^9 copies: the first
// declaration stops the parse, within a second and without memory growing.
TEST(LandXmlHostile, AnEntityDeclarationIsRefusedBeforeAnythingIsExpanded) {
    KORVANE_SKIP_ON_WINDOWS("the Windows build has no XML parser");
#ifndef _WIN32
    std::string laughs = "<?xml version=\"1.0\"?>\n<!DOCTYPE LandXML [\n<!ENTITY lol0 \"lol\">\n";
    for (int i = 1; i < 10; ++i) {
        laughs += "<!ENTITY lol" + std::to_string(i) + " \"";
        for (int k = 0; k < 10; ++k) laughs += "&lol" + std::to_string(i - 1) + ";";
        laughs += "\">\n";
    }
    laughs += "]>\n<LandXML><Alignments><Alignment name=\"&lol9;\"/></Alignments></LandXML>\n";
    const struct {
        std::string text, refusal;
    } cases[] = {
        {laughs, "LandXML ファイルの 3 行目に実体宣言（<!ENTITY）があります。実体を宣言したファイルは安全のため読みません。"},
        {"<?xml version=\"1.0\"?>\n<!DOCTYPE LandXML [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>\n<LandXML>&x;" + kAlignment +
             "</LandXML>",
         "LandXML ファイルの 2 行目に実体宣言（<!ENTITY）があります。実体を宣言したファイルは安全のため読みません。"},
        {"<?xml version=\"1.0\"?>\n<!DOCTYPE LandXML [\n<!ENTITY % p SYSTEM \"file:///etc/passwd\">\n%p;\n]>\n<LandXML/>",
         "LandXML ファイルの 3 行目に実体宣言（<!ENTITY）があります。実体を宣言したファイルは安全のため読みません。"},
    };
    for (const auto &c : cases) {
        const long before = peakKilobytes();
        const auto start = std::chrono::steady_clock::now();
        const LoadedRoute r = readLandXmlText(c.text, "");
        EXPECT_LT(secondsSince(start), 1.0);
        EXPECT_LT(peakKilobytes() - before, 10 * 1024);
        EXPECT_EQ(refusalOf(r), c.refusal);
        EXPECT_TRUE(r.alignment.segments.empty());
    }
#endif
}

// A document type naming an outside file (here, one that declares the entity
// the document uses) or a server: neither is read, and the entity is unknown.
TEST(LandXmlHostile, NoOtherFileAndNoServerIsEverRead) {
    KORVANE_SKIP_ON_WINDOWS("the Windows build has no XML parser; the test listens on a socket");
#ifndef _WIN32
    TempDir dir;
    const std::string dtd = fileWith(dir, "defs.dtd", "<!ENTITY name \"秘密\">\n");
    const int server = socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(server, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    ASSERT_EQ(bind(server, reinterpret_cast<sockaddr *>(&address), size), 0);
    ASSERT_EQ(listen(server, 4), 0);
    ASSERT_EQ(getsockname(server, reinterpret_cast<sockaddr *>(&address), &size), 0);
    const std::string url = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/landxml.dtd";

    const LoadedRoute local = readLandXmlText("<?xml version=\"1.0\"?>\n<!DOCTYPE LandXML SYSTEM \"" + dtd +
                                                  "\">\n<LandXML>\n<Alignments><Alignment name=\"&name;\"/></Alignments></LandXML>",
                                              "");
    EXPECT_EQ(refusalOf(local), "LandXML ファイルの 4 行目に宣言されていない実体参照 &name; があります。");
    const LoadedRoute remote = readLandXmlText(
        "<?xml version=\"1.0\"?>\n<!DOCTYPE LandXML SYSTEM \"" + url + "\">\n<LandXML>" + kAlignment + "</LandXML>", "");
    EXPECT_EQ(refusalOf(remote), "");
    EXPECT_EQ(remote.alignment.segments.size(), 1u);
    pollfd waiting{server, POLLIN, 0};
    EXPECT_EQ(poll(&waiting, 1, 200), 0) << "the reader connected to " << url;
    close(server);
#endif
}

TEST(LandXmlHostile, DeepTruncatedAndMalformedFilesAreRefusedWithTheirLine) {
    KORVANE_SKIP_ON_WINDOWS("the Windows build has no XML parser");
    std::string deep = "<?xml version=\"1.0\"?>\n<LandXML>\n";
    for (int i = 0; i < 200000; ++i) deep += "<a>";
    const std::string whole = "<?xml version=\"1.0\"?>\n<LandXML>\n<Alignments>\n<Alignment name=\"A\">\n<CoordGeom>\n"
                              "<Line><Start>0 0</Start><End>0 100</End></Line>\n</CoordGeom>\n</Alignment>\n"
                              "</Alignments>\n</LandXML>\n";
    const struct {
        std::string text, refusal;
    } cases[] = {
        {deep, "LandXML ファイルの 3 行目で要素の入れ子が 64 段を超えています。"},
        {whole.substr(0, whole.find("<End>") + 3),
         "LandXML ファイルは 6 行目で途中で終わっています（"},
        {whole.substr(0, whole.find("</Alignment>")), "LandXML ファイルは 7 行目で途中で終わっています（"}, // its last line
        {"", "LandXML ファイルは 1 行目で途中で終わっています（"},
        {"<?xml version=\"1.0\"?>\n<LandXML>\n<Alignments>\n<Alignment name=\"A\">\n</Alignments>\n</LandXML>\n",
         "LandXML ファイルの 5 行目が XML として正しくありません（"},
        {"<?xml version=\"1.0\"?>\n<LandXML>\n<Alignments>\n<Alignment name=\"A\" name=\"B\"/>\n",
         "LandXML ファイルの 4 行目が XML として正しくありません（"},
        {"<?xml version=\"1.0\"?>\n<LandXML>\n\n\x01</LandXML>\n", "LandXML ファイルの 4 行目が XML として正しくありません（"},
        // Bytes the declared encoding cannot convert: libxml2 knows the line
        // it was converting from, not the line of the bytes.
        {"<?xml version=\"1.0\" encoding=\"EUC-JP\"?>\n<LandXML>\n\xff\xff</LandXML>\n",
         "LandXML ファイルの 2 行目が XML として正しくありません（input conversion failed"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.substr(0, 120));
        const auto start = std::chrono::steady_clock::now();
        testing::internal::CaptureStderr();
        const LoadedRoute r = readLandXmlText(c.text, "");
        EXPECT_EQ(testing::internal::GetCapturedStderr(), ""); // the parser prints nothing of its own
        EXPECT_LT(secondsSince(start), 1.0);
        EXPECT_EQ(refusalOf(r).substr(0, c.refusal.size()), c.refusal) << refusalOf(r);
        EXPECT_TRUE(r.alignment.segments.empty());
    }
}

// A file of about 100 MB (an alignment after a large surface, as design
// files carry them) is read; a larger one is refused before it is parsed.
TEST(LandXmlHostile, HundredMegabyteFilesAreReadAndLargerOnesRefused) {
    KORVANE_SKIP_ON_WINDOWS("the Windows build has no XML parser");
    TempDir dir;
    std::string text = "<?xml version=\"1.0\"?>\n<LandXML><Surfaces><Surface name=\"地表\"><Definition><Pnts>\n";
    text.reserve(100u << 20);
    for (long i = 1; text.size() < (100u << 20) - 4096; ++i)
        text += "<P id=\"" + std::to_string(i) + "\">-41234.567890 15678.901234 12.345</P>\n";
    text += "</Pnts></Definition></Surface></Surfaces>" + kAlignment + "</LandXML>\n";
    const std::string big = fileWith(dir, "big.xml", text);
    text.clear();
    const LoadedRoute r = readLandXml(big, "");
    EXPECT_EQ(refusalOf(r), "");
    EXPECT_EQ(r.alignment.segments.size(), 1u);

    const std::string larger = dir.file("larger.xml");
    fileWith(dir, "larger.xml", "<");
    std::filesystem::resize_file(larger, (100u << 20) + 1);
    EXPECT_EQ(refusalOf(readLandXml(larger, "")), "LandXML ファイル " + larger + ": ファイルが大きすぎます（100 MiB まで）。");
}

// Shift_JIS as Windows writes it (cp932): its NEC and IBM characters (①,
// 髙) come through, a byte that is no cp932 is refused with its line.
TEST(LandXmlHostile, ShiftJisIsReadAsCp932) {
    KORVANE_SKIP_ON_WINDOWS("the Windows build has no XML parser");
    // ① is 87 40, 号 8D 86, 線 90 FC, 髙 FB FC, 橋 8B B4 in cp932.
    const std::string name = "\x87\x40\x8D\x86\x90\xFC", point = "\xFB\xFC\x8B\xB4";
    const auto cp932 = [&](const std::string &encoding, const std::string &before) {
        return "<?xml version=\"1.0\" encoding=\"" + encoding + "\"?>\n<LandXML>" + before + "<Alignments><Alignment name=\"" +
               name + "\"><CoordGeom><Line><Start name=\"" + point +
               "\">0 0</Start><End>0 100</End></Line></CoordGeom></Alignment></Alignments></LandXML>\n";
    };
    // A comment of 1.2 MB of ① before the alignment: the text is converted
    // piece by piece, and no character is cut between two pieces.
    std::string comment = "<!--";
    for (int i = 0; i < 600000; ++i) comment += "\x87\x40";
    comment += "-->";
    for (const std::string &text : {cp932("Shift_JIS", ""), cp932("windows-31j", ""), cp932("SJIS", comment)}) {
        const LoadedRoute r = readLandXmlText(text, "");
        ASSERT_EQ(refusalOf(r), "");
        EXPECT_EQ(r.settings.name, "①号線");
        ASSERT_FALSE(r.mainPoints.empty());
        EXPECT_EQ(r.mainPoints[0].name, "髙橋");
    }
    const LoadedRoute utf8 = readLandXmlText("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<LandXML>"
                                             "<Alignments><Alignment name=\"①号線\"><CoordGeom><Line><Start>0 0</Start>"
                                             "<End>0 100</End></Line></CoordGeom></Alignment></Alignments></LandXML>",
                                             "");
    EXPECT_EQ(utf8.settings.name, "①号線");
    EXPECT_EQ(refusalOf(readLandXmlText("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<LandXML>\n\n\n<!-- \x81\x20 -->"
                                        "</LandXML>",
                                        "")),
              "LandXML ファイルの 5 行目に Shift_JIS（cp932）として読めないバイトがあります。");
}
