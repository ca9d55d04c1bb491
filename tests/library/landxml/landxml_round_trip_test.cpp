// Our own J-LandXML read back: the route's file gives the same coordinate
// table (within the six decimals the file keeps) and the same IP table; the
// exports turn a LandXML file into a route file, list its alignments, and
// write nothing for a file they refuse.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "korvane.h"
#include "landxml/landxml_reader.h"
#include "landxml_support.h"
#include "platform_skip.h"
#include "params/c_locale.h"
#include "route/route_input.h"
#include "route/route_landxml.h"
#include "route/route_rows.h"
#include "world/landxml_writer.h"
#include "world/table_points.h"
#include "world/world_design.h"
#include "world_support.h"

using korvane::landxml::readLandXmlText;
using korvane::route::LoadedRoute;
using korvane::route::Message;
using korvane::route::TableRow;
using landxml_support::fileWith;
using testing_support::MessageRecorder;
using testing_support::TempDir;

namespace {

// The route of every curve kind with stations from 1000 m and an equation.
LoadedRoute designedRoute() {
    LoadedRoute route;
    route.ips = landxml_support::everyKind().input;
    route.settings.name = "県道12号";
    route.settings.zone = 9;
    route.settings.stationing.bpStation = 1000;
    route.settings.stationing.equations = {{1500, 1520.5}};
    korvane::route::computeLoadedRoute(route);
    return route;
}

std::vector<TableRow> rowsOf(const LoadedRoute &route) {
    std::vector<Message> messages;
    std::vector<TableRow> rows = korvane::route::loadedRows(route, messages);
    EXPECT_TRUE(messages.empty());
    return rows;
}

} // namespace

TEST(LandXmlRoundTrip, OurOwnJLandXmlGivesTheSameTableAndIpTable) {
    KORVANE_SKIP_ON_WINDOWS("the Windows build has no XML parser");
    const LoadedRoute designed = designedRoute();
    const std::vector<TableRow> rows = rowsOf(designed);
    const std::string xml = korvane::route::routeLandXmlText(designed, rows, std::tm{});
    const LoadedRoute read = readLandXmlText(xml, "");
    ASSERT_TRUE(read.messages.empty()) << read.messages.front().text;
    EXPECT_EQ(read.settings.name, "県道12号");
    EXPECT_EQ(read.settings.zone, 9);
    EXPECT_EQ(read.settings.stationing.bpStation, 1000);
    ASSERT_EQ(read.settings.stationing.equations.size(), 1u);
    EXPECT_EQ(read.settings.stationing.equations[0].ahead, 1520.5);
    ASSERT_EQ(read.ips.size(), designed.ips.size());
    for (std::size_t i = 0; i < read.ips.size(); ++i) {
        EXPECT_EQ(read.ips[i].curve.r.has_value(), designed.ips[i].curve.r.has_value()) << i;
        if (designed.ips[i].curve.a1) {
            EXPECT_NEAR(*read.ips[i].curve.a1, *designed.ips[i].curve.a1, 1e-6) << i;
        }
    }
    const std::vector<TableRow> again = rowsOf(read);
    ASSERT_EQ(again.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i].name);
        EXPECT_EQ(again[i].name, rows[i].name);
        EXPECT_EQ(again[i].label, rows[i].label);
        EXPECT_NEAR(again[i].station, rows[i].station, 3e-6);
        EXPECT_NEAR(again[i].pose.point.x, rows[i].pose.point.x, 3e-6);
        EXPECT_NEAR(again[i].pose.point.y, rows[i].pose.point.y, 3e-6);
        EXPECT_NEAR(korvane::route::turnBetween(again[i].pose.direction, rows[i].pose.direction), 0, 2e-7);
    }
}

// The one curve of the world placement (A1 = 100, R = 200, A2 = 150,
// IA = 60°) as its J-LandXML: read back, every main point and full station
// of its table lies where the table has it.
TEST(LandXmlRoundTrip, TheOneCurveJLandXmlGivesTheSameStations) {
    KORVANE_SKIP_ON_WINDOWS("the Windows build has no XML parser");
    TempDir dir;
    const world_support::Xy ip{-41234.5678, 15678.9012};
    const double in = world_support::radians(210), out = world_support::radians(270);
    const std::string parameters = fileWith(dir, "ALN_TXT_.DAT", drawing_support::Design{}.parameterText());
    const std::string placement = fileWith(dir, "design.rvd", world_support::placementText(
        world_support::along(ip, in, -300), ip, world_support::along(ip, out, 400)));
    korvane::WorldAlignment w;
    std::vector<korvane::TablePoint> points;
    {
        korvane::CLocaleScope locale;
        ASSERT_EQ(korvane::loadWorldDesign(parameters.c_str(), placement.c_str(), w), 1);
        points = korvane::tablePoints(w);
    }
    const LoadedRoute read = readLandXmlText(korvane::landXmlText(w, points, std::tm{}), "");
    ASSERT_TRUE(read.messages.empty()) << read.messages.front().text;
    EXPECT_EQ(read.ips.size(), 3u); // BP, IP, EP: the curve given back
    const std::vector<TableRow> rows = rowsOf(read);
    std::size_t compared = 0;
    for (const korvane::TablePoint &p : points) {
        if (p.kind != korvane::PointKind::Main && p.kind != korvane::PointKind::Station) continue;
        for (const TableRow &row : rows)
            if (std::fabs(row.station - p.distance) < 1e-5) {
                SCOPED_TRACE(p.name);
                EXPECT_NEAR(row.pose.point.x, p.at.point.x, 3e-6);
                EXPECT_NEAR(row.pose.point.y, p.at.point.y, 3e-6);
                ++compared;
            }
    }
    EXPECT_EQ(compared, rows.size()); // every row of the read table is one of the world table's
}

TEST(LandXmlRoundTrip, ExportsListTheAlignmentsAndWriteARouteFileThatComputesTheReadLine) {
    KORVANE_SKIP_ON_WINDOWS("the Windows build has no XML parser");
    TempDir dir;
    MessageRecorder messages;
    const LoadedRoute designed = designedRoute();
    const std::string xml = fileWith(dir, "route.xml", korvane::route::routeLandXmlText(designed, rowsOf(designed), std::tm{}));
    const std::string list = dir.file("names.txt"), route = dir.file("route.rvr");
    ASSERT_EQ(korvane_landxml_alignments(xml.c_str(), list.c_str()), 1);
    EXPECT_EQ(testing_support::readBytes(list), "県道12号\n");
    ASSERT_EQ(korvane_landxml_to_route(xml.c_str(), "県道12号", route.c_str()), 1);
    EXPECT_TRUE(messages.utf8().empty());
    // The route file computed again lies on the line read from the file.
    const LoadedRoute saved = korvane::route::loadRoute(route.c_str());
    const LoadedRoute read = korvane::landxml::readLandXml(xml, "");
    ASSERT_FALSE(saved.alignment.segments.empty());
    double worst = 0;
    for (double s = 0; s <= read.alignment.length(); s += 0.5) {
        const auto a = korvane::route::poseAt(saved.alignment, s).point, b = korvane::route::poseAt(read.alignment, s).point;
        worst = std::max(worst, std::hypot(a.x - b.x, a.y - b.y));
    }
    EXPECT_LT(worst, 3e-6);

    // An alignment without PIs has no IP table: no route file, and why.
    const std::string plain = fileWith(dir, "plain.xml",
                                       "<LandXML><Alignments><Alignment name=\"B\"><CoordGeom><Line><Start>0 0</Start>"
                                       "<End>0 10</End></Line></CoordGeom></Alignment></Alignments></LandXML>");
    const std::string none = dir.file("none.rvr");
    EXPECT_EQ(korvane_landxml_to_route(plain.c_str(), nullptr, none.c_str()), 0);
    EXPECT_EQ(messages.utf8().back(),
              "線形「B」は IP 表に戻せない（AlignPIs がないか、PI の曲線が IP 法の形でない）ので、路線ファイルにはできません。");
    EXPECT_FALSE(std::filesystem::exists(none));
    // A refused file writes no table, whichever export reads it.
    const std::string table = dir.file("table.csv");
    const std::string broken = fileWith(dir, "broken.xml", "<LandXML><Alignments><Alignment name=\"B\"><CoordGeom><Chain/>"
                                                           "</CoordGeom></Alignment></Alignments></LandXML>");
    EXPECT_EQ(korvane_route_table(broken.c_str(), nullptr, table.c_str(), 0), 0);
    EXPECT_FALSE(std::filesystem::exists(table));
}
