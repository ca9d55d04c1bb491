// What the reader says about an alignment it cannot take or whose data
// disagree, exactly, and what it reads besides the elements: the names of
// the element ends, the stations, the unit and the zone.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "landxml/landxml_reader.h"
#include "platform_skip.h"
#include "route/route_support.h"

using korvane::landxml::readLandXmlText;
using korvane::route::LoadedRoute;
using korvane::route::Severity;
using route_support::messageTexts;

namespace {

// A document whose elements start on line 7, one a line.
std::string document(const std::string &elements, const std::string &afterCoordGeom = {},
                     const std::string &units = "<Units><Metric linearUnit=\"meter\"/></Units>",
                     const std::string &alignment = "<Alignment name=\"A\" staStart=\"0\">") {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.2\">\n" +
           units + "\n<Alignments>\n" + alignment + "\n<CoordGeom>\n" + elements + "</CoordGeom>\n" + afterCoordGeom +
           "</Alignment>\n</Alignments>\n</LandXML>\n";
}

// A quarter circle clockwise about the origin, R = 100, from north to east,
// after a straight running east into it.
const std::string kLine = "<Line><Start>100 -50</Start><End>100 0</End></Line>\n";
const std::string kArc = "<Curve rot=\"cw\" radius=\"100\"><Start>100 0</Start><Center>0 0</Center><End>0 100</End></Curve>\n";

} // namespace

TEST(LandXmlMessages, ElementsThatCannotBeReadAreNamedWithTheirPlaceAndNothingIsRead) {
    KORVANE_SKIP_ON_WINDOWS("the Windows build has no XML parser");
    const std::string place = "線形「A」の要素 2（";
    const struct {
        std::string element, refusal;
    } cases[] = {
        {"<IrregularLine><Start>100 0</Start><End>90 10</End></IrregularLine>\n",
         place + "IrregularLine、8 行目）は IrregularLine です。読めるのは Line、Curve（円弧）、Spiral（クロソイド）だけです。"},
        {"<Chain>1 2 3</Chain>\n", place + "Chain、8 行目）は Chain です。読めるのは Line、Curve（円弧）、Spiral（クロソイド）だけです。"},
        {"<Spiral length=\"10\" radiusStart=\"INF\" radiusEnd=\"100\" rot=\"cw\" spiType=\"bloss\"><Start>100 0</Start>"
         "<PI>100 6</PI><End>99.9 10</End></Spiral>\n",
         place + "Spiral、8 行目）は spiType=\"bloss\" です。読めるのはクロソイド（clothoid）だけです。"},
        {"<Curve rot=\"cw\" crvType=\"chord\" radius=\"100\"><Start>100 0</Start><Center>0 0</Center><End>0 100</End></Curve>\n",
         place + "Curve、8 行目）は crvType=\"chord\" です。読めるのは円弧（arc）だけです。"},
        {"<Curve rot=\"cw\" radius=\"100\"><Start>100 0</Start><End>0 100</End></Curve>\n",
         place + "Curve、8 行目）に Center も PI もありません。"},
        {"<Curve rot=\"right\" radius=\"100\"><Start>100 0</Start><Center>0 0</Center><End>0 100</End></Curve>\n",
         place + "Curve、8 行目）の rot が cw でも ccw でもありません（\"right\"）。"},
        {"<Spiral length=\"10\" radiusStart=\"INF\" radiusEnd=\"R1\" rot=\"cw\" spiType=\"clothoid\"><Start>100 0</Start>"
         "<PI>100 6</PI><End>99.9 10</End></Spiral>\n",
         place + "Spiral、8 行目）の radiusEnd が半径として読めません（\"R1\"）。"},
        {"<Spiral radiusStart=\"INF\" radiusEnd=\"100\" rot=\"cw\" spiType=\"clothoid\"><Start>100 0</Start>"
         "<PI>100 6</PI><End>99.9 10</End></Spiral>\n",
         place + "Spiral、8 行目）に length がありません。"},
        {"<Line><Start>100 0</Start><End>100,200</End></Line>\n",
         place + "Line、8 行目）の End が座標（北 東）として読めません（\"100,200\"）。"},
        {"<Line><Start>100 0</Start><End pntRef=\"P9\"/></Line>\n",
         place + "Line、8 行目）の End が参照する点 P9 が CgPoints にありません。"},
        // R = 1 turning a quarter and 159 full turns (its length picks the turns).
        {"<Curve rot=\"cw\" radius=\"1\" length=\"1000\"><Start>100 0</Start><Center>99 0</Center><End>99 1</End></Curve>\n",
         place + "Curve、8 行目）は曲率と長さが扱える範囲を超えています（長さ 1000.597 m）。"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.element);
        const LoadedRoute r = readLandXmlText(document(kLine + c.element), "");
        const std::vector<std::string> refusals = messageTexts(r.messages, Severity::Refusal);
        EXPECT_EQ(refusals, std::vector<std::string>{c.refusal});
        EXPECT_TRUE(r.alignment.segments.empty());
        EXPECT_TRUE(r.mainPoints.empty());
    }
    // Every element that cannot be read is named, not only the first.
    const LoadedRoute two = readLandXmlText(document("<Chain/>\n" + kLine + "<IrregularLine/>\n"), "");
    EXPECT_EQ(messageTexts(two.messages, Severity::Refusal).size(), 2u);
}

TEST(LandXmlMessages, TheFileAndItsAlignmentsAreRefusedWithTheNamesToChooseFrom) {
    KORVANE_SKIP_ON_WINDOWS("the Windows build has no XML parser");
    const std::string three = "<?xml version=\"1.0\"?>\n<LandXML><Alignments>"
                              "<Alignment name=\"本線\"><CoordGeom>" + kLine + "</CoordGeom></Alignment>"
                              "<Alignment name=\"ランプA\"><CoordGeom>" + kLine + "</CoordGeom></Alignment>"
                              "<Alignment name=\"ランプB\"><CoordGeom>" + kLine + "</CoordGeom></Alignment>"
                              "</Alignments></LandXML>\n";
    const struct {
        std::string text, name, refusal;
    } cases[] = {
        {three, "", "LandXML ファイルには線形が 3 本あります（「本線」、「ランプA」、「ランプB」）。読む線形を名前で指定してください。"},
        {three, "ランプC", "LandXML ファイルに線形「ランプC」はありません（あるのは 「本線」、「ランプA」、「ランプB」）。"},
        {"<?xml version=\"1.0\"?>\n<LandXML><CgPoints/></LandXML>", "", "LandXML ファイルには線形（Alignment）がありません。"},
        {"<?xml version=\"1.0\"?>\n<svg/>", "", "このファイルは LandXML ではありません（最上位の要素が svg です）。"},
        {document(kLine, "", "<Units><Imperial linearUnit=\"furlong\"/></Units>"), "",
         "LandXML ファイルの長さの単位 furlong は読めません。"},
        {document(kLine, "<StaEquation staBack=\"30\" staAhead=\"20\" staInternal=\"30\" staIncrement=\"decreasing\"/>\n"),
         "", "線形「A」の 9 行目の StaEquation は測点が減っていく向き（decreasing）です。読めるのは増えていく測点だけです。"},
        {document(kLine, "<StaEquation staBack=\"30\" staInternal=\"30\"/>\n"), "",
         "線形「A」の 9 行目に staAhead がありません。"},
        {document(""), "", "線形「A」（5 行目）に要素（CoordGeom）がありません。"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.refusal);
        const LoadedRoute r = readLandXmlText(c.text, c.name);
        EXPECT_EQ(messageTexts(r.messages, Severity::Refusal), std::vector<std::string>{c.refusal});
        EXPECT_TRUE(r.alignment.segments.empty());
    }
    const LoadedRoute chosen = readLandXmlText(three, "ランプA");
    EXPECT_EQ(chosen.settings.name, "ランプA");
    EXPECT_EQ(chosen.alignment.segments.size(), 1u);
}

// Data of one element that disagree, and elements that do not meet, are
// warnings with the element numbers and the size; the line is still read.
TEST(LandXmlMessages, DisagreeingDataAndJointsAreWarningsWithTheirSize) {
    KORVANE_SKIP_ON_WINDOWS("the Windows build has no XML parser");
    // A clothoid A = 100 from a straight into R = 400 heading east: its end
    // and the meeting point of its tangents by numerical integration (mpmath,
    // 30 digits): 24.9975587 m east and 0.2603985 m south, 16.6675193 m east.
    const std::string end = "<PI>0 116.667519</PI><End>-0.260399 124.997559</End></Spiral>\n";
    const std::string spiral = "<Spiral length=\"25\" radiusStart=\"INF\" radiusEnd=\"400\" rot=\"cw\" "
                               "spiType=\"clothoid\"><Start>0 100</Start>" + end;
    const struct {
        std::string elements, after, warning;
    } cases[] = {
        {"<Line length=\"50.01\"><Start>100 -50</Start><End>100 0</End></Line>\n" + kArc, "",
         "線形「A」の要素 1（Line、7 行目）: length=50.01 m が位置から求めた長さ 50.0000 m と 10.0 mm 違います。"},
        {kLine + "<Curve rot=\"cw\" radius=\"100\"><Start>100 0</Start><Center>0 0</Center><End>0 100.004</End></Curve>\n", "",
         "線形「A」の要素 2（Curve、8 行目）: End が Center から 100.0040 m にあり、半径 100 m と 4.0 mm 違います。"},
        {"<Line><Start>100 -50</Start><End>100 -0.003</End></Line>\n" + kArc, "",
         "線形「A」の要素 1 と 2 の間に 3.0 mm のずれがあります。"},
        {"<Line><Start>99.99 -50</Start><End>100 0</End></Line>\n" + kArc, "",
         "線形「A」の要素 1 と 2 の間に 0°00′41.3″ の折れがあります。"},
        {std::string("<Line><Start>0 0</Start><End>0 100</End></Line>\n") +
             "<Spiral length=\"25.003\" radiusStart=\"INF\" radiusEnd=\"400\" rot=\"cw\" spiType=\"clothoid\">"
             "<Start>0 100</Start>" + end,
         "", "線形「A」の要素 2（Spiral、8 行目）: 要素のデータから求めた終点が End と 3.0 mm 離れています。"},
        {"<Line><Start>0 0</Start><End>0 100</End></Line>\n" + spiral, "",
         ""}, // the clothoid as stated: no warning
        {kLine + kArc, "<StaEquation staBack=\"100\" staAhead=\"150\" staInternal=\"100.5\"/>\n",
         "線形「A」の StaEquation 1 は staBack の位置が staInternal と 500.0 mm 違います（staBack の位置で読みます）。"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.elements);
        const LoadedRoute r = readLandXmlText(document(c.elements, c.after), "");
        EXPECT_EQ(messageTexts(r.messages, Severity::Refusal), std::vector<std::string>{});
        EXPECT_EQ(messageTexts(r.messages, Severity::Warning), c.warning.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.warning});
        EXPECT_FALSE(r.alignment.segments.empty());
    }
}

TEST(LandXmlMessages, NamesStationsUnitAndZoneComeFromTheFile) {
    KORVANE_SKIP_ON_WINDOWS("the Windows build has no XML parser");
    // Names by attribute and by pntRef; the arc's end unnamed, named by its kind.
    const std::string named = "<CgPoints><CgPoint name=\"起点\">100 -50</CgPoint><CgPoint name=\"P2\">100 0</CgPoint></CgPoints>\n";
    std::string text = document("<Line><Start pntRef=\"起点\"/><End pntRef=\"P2\"/></Line>\n" + kArc,
                                "<StaEquation staBack=\"1120\" staAhead=\"1200\" staInternal=\"1120\"/>\n",
                                "<Units><Metric linearUnit=\"meter\"/></Units>\n<CoordinateSystem horizontalCoordinateSystemName=\"9(X,Y)\"/>\n" + named,
                                "<Alignment name=\"A\" staStart=\"1000\">");
    LoadedRoute r = readLandXmlText(text, "");
    ASSERT_EQ(r.mainPoints.size(), 3u);
    EXPECT_EQ(r.mainPoints[0].name, "起点");
    EXPECT_EQ(r.mainPoints[1].name, "P2");
    EXPECT_EQ(r.mainPoints[2].name, "EC1=EP");
    EXPECT_NEAR(r.mainPoints[2].distance, 50 + 50 * std::numbers::pi, 1e-9);
    EXPECT_EQ(r.settings.zone, 9);
    EXPECT_EQ(r.settings.stationing.bpStation, 1000);
    ASSERT_EQ(r.settings.stationing.equations.size(), 1u);
    EXPECT_EQ(r.settings.stationing.equations[0].back, 1120);
    EXPECT_EQ(r.settings.stationing.equations[0].ahead, 1200);
    EXPECT_EQ(messageTexts(r.messages, Severity::Warning), std::vector<std::string>{});

    // The same line in US survey feet: every length in metres (1200/3937 m).
    const double foot = 1200.0 / 3937.0;
    r = readLandXmlText(document(kLine + kArc, "", "<Units><Imperial linearUnit=\"USSurveyFoot\"/></Units>",
                                 "<Alignment name=\"A\" staStart=\"1000\">"),
                        "");
    EXPECT_EQ(messageTexts(r.messages, Severity::Warning),
              std::vector<std::string>{"LandXML ファイルの長さは USSurveyFoot で書かれています。メートルに換算して読みました。"});
    EXPECT_NEAR(r.alignment.length(), (50 + 50 * std::numbers::pi) * foot, 1e-9);
    EXPECT_NEAR(r.alignment.segments[1].startCurvature, 1 / (100 * foot), 1e-12);
    EXPECT_NEAR(r.settings.stationing.bpStation, 1000 * foot, 1e-9);
}

// The Windows build has no XML parser and says so.
TEST(LandXmlMessages, TheWindowsBuildSaysItCannotReadLandXml) {
#ifdef _WIN32
    const LoadedRoute r = readLandXmlText(document(kLine), "");
    EXPECT_EQ(messageTexts(r.messages, Severity::Refusal),
              std::vector<std::string>{"この Windows 版の Korvane は LandXML ファイルを読めません。"
                                       "LandXML の読み込みには Linux 版の Rovena または korvane-route を使ってください。"});
    EXPECT_TRUE(r.alignment.segments.empty());
#else
    GTEST_SKIP() << "only the Windows build lacks the XML parser";
#endif
}
