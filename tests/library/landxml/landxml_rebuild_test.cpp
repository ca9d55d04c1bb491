// The IP table given back from a LandXML file whose elements are the IP
// method's curves at its PIs: the values of each curve as the route was
// designed, and the route computed from them on the read line.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "landxml/landxml_reader.h"
#include "landxml_support.h"
#include "platform_skip.h"
#include "route/ip_method.h"

using korvane::route::LoadedRoute;
using korvane::landxml::readLandXmlText;
using korvane::route::computeRoute;
using korvane::route::CurveInput;
using korvane::route::Route;
using landxml_support::alignPis;
using landxml_support::integratedElements;
using landxml_support::landXml;
using landxml_support::everyKind;
using route_support::BuiltRoute;
using route_support::Integrator;
using route_support::Xy;

namespace {

std::string fileOf(const BuiltRoute &b, int decimals) {
    const Integrator line(b.bp, b.bpDirection, b.pieces);
    std::vector<Xy> points;
    std::vector<std::string> names;
    for (std::size_t i = 0; i < b.input.size(); ++i) {
        points.push_back(Xy{b.input[i].point.x, b.input[i].point.y});
        names.push_back(i == 0 ? "BP" : i + 1 == b.input.size() ? "EP" : "IP" + std::to_string(i));
    }
    return landXml(integratedElements(line, b.pieces), decimals, "本線", 0, alignPis(points, names, decimals));
}

void expectSameValue(const std::optional<double> &read, const std::optional<double> &given, const char *what) {
    ASSERT_EQ(read.has_value(), given.has_value()) << what;
    if (given) {
        EXPECT_NEAR(*read, *given, 1e-6 * *given) << what;
    }
}

} // namespace

TEST(LandXmlRebuild, EveryKindOfCurveGivesItsValuesBackAndTheRouteLiesOnTheReadLine) {
    KORVANE_SKIP_ON_WINDOWS("the Windows build has no XML parser");
    const BuiltRoute built = everyKind();
    const Route designed = computeRoute(built.input);
    // Ten decimals: within 1e-8 m. Six: within the file's own rounding
    // (its IPs and element points each half a micrometre off the design).
    for (const auto &[decimals, tolerance] : {std::pair{10, 1e-8}, std::pair{6, 3e-6}}) {
        SCOPED_TRACE(std::to_string(decimals) + " decimals");
        const LoadedRoute read = readLandXmlText(fileOf(built, decimals), "");
        ASSERT_EQ(read.ips.size(), built.input.size()) << (read.messages.empty() ? "" : read.messages[0].text);
        for (std::size_t i = 0; i < read.ips.size(); ++i) {
            SCOPED_TRACE("IP " + std::to_string(i));
            const CurveInput &r = read.ips[i].curve, &g = built.input[i].curve;
            expectSameValue(r.a1, g.a1, "A1");
            expectSameValue(r.r, g.r, "R");
            expectSameValue(r.a2, g.a2, "A2");
            expectSameValue(r.r2, g.r2, "R2");
            expectSameValue(r.am, g.am, "AM");
            expectSameValue(r.lc, g.lc, "LC");
        }
        // The main points are named as the IP method names them.
        ASSERT_EQ(read.mainPoints.size(), designed.mainPoints.size());
        for (std::size_t i = 0; i < read.mainPoints.size(); ++i)
            EXPECT_EQ(read.mainPoints[i].name, designed.mainPoints[i].name);
        // Computed again from the table, the route lies on the read line.
        const Route again = computeRoute(read.ips);
        ASSERT_EQ(again.alignment.segments.size(), read.alignment.segments.size());
        double worst = 0;
        for (double s = 0; s <= read.alignment.length(); s += 1) {
            const auto a = korvane::route::poseAt(again.alignment, s).point;
            const auto b = korvane::route::poseAt(read.alignment, s).point;
            worst = std::max(worst, std::hypot(a.x - b.x, a.y - b.y));
        }
        EXPECT_LT(worst, tolerance);

    }
}

// A PI that the line runs straight through, written as one straight across
// it (not split there), and a curve after it: the table comes back all the same.
TEST(LandXmlRebuild, AStraightThroughAPiIsNotSplitForTheTable) {
    KORVANE_SKIP_ON_WINDOWS("the Windows build has no XML parser");
    BuiltRoute built = route_support::buildRoute(Xy{1000, 2000}, {{30, 100}, {30, 50}, {70, 80}},
                                                 {{}, {100, 300, 100}});
    std::vector<route_support::Piece> merged;
    for (const route_support::Piece &p : built.pieces) {
        if (p.length == 0) continue;
        if (!merged.empty() && p.k0 == 0 && p.k1 == 0 && merged.back().k0 == 0 && merged.back().k1 == 0)
            merged.back().length += p.length;
        else merged.push_back(p);
    }
    built.pieces = merged;
    const LoadedRoute read = readLandXmlText(fileOf(built, 10), "");
    EXPECT_TRUE(read.messages.empty()) << read.messages.front().text;
    ASSERT_EQ(read.ips.size(), 4u);
    EXPECT_FALSE(read.ips[1].curve.r.has_value());
    EXPECT_NEAR(*read.ips[2].curve.r, 300, 1e-6);
    EXPECT_EQ(read.alignment.segments.size(), 5u); // straight, clothoid, arc, clothoid, straight
}
