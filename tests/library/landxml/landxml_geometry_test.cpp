// The elements of a LandXML alignment read from their own data, against the
// line integrated from its curvature (route_support.h, long double Simpson),
// written to the file with the coordinates that integration gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "landxml/landxml_reader.h"
#include "landxml_support.h"
#include "platform_skip.h"
#include "route/alignment.h"

using korvane::route::LoadedRoute;
using korvane::landxml::readLandXmlText;
using korvane::route::Severity;
using landxml_support::Element;
using landxml_support::integratedElements;
using landxml_support::landXml;
using route_support::Integrator;
using route_support::messageTexts;
using route_support::Piece;
using route_support::Xy;

namespace {

// The largest distance between the read line and the integrated one, every
// 2 m and at every element end.
double largestError(const LoadedRoute &read, const Integrator &line) {
    std::vector<double> at;
    for (double s = 0; s < line.length(); s += 2) at.push_back(s);
    for (double s : read.alignment.starts) at.push_back(s);
    double worst = 0;
    for (double s : at) {
        const auto p = korvane::route::poseAt(read.alignment, s).point;
        const Xy q = line.at(s);
        worst = std::max(worst, std::hypot(p.x - q.x, p.y - q.y));
    }
    return worst;
}

struct Shape {
    const char *what;
    double direction; // at the start, degrees
    std::vector<Piece> pieces;
};

const Shape kShapes[] = {
    {"straight, clothoid A=100 into R=300, arc, clothoid A=120 out, straight, turning right",
     37.5,
     {{120, 0, 0}, {100.0 * 100 / 300, 0, 1.0 / 300}, {80, 1.0 / 300, 1.0 / 300}, {48, 1.0 / 300, 0}, {100, 0, 0}}},
    {"an egg curve turning left: clothoid, R=400, clothoid R=400 to R=250, R=250, clothoid",
     200,
     {{30, 0, 0}, {40, 0, -1.0 / 400}, {30, -1.0 / 400, -1.0 / 400}, {36, -1.0 / 400, -1.0 / 250},
      {50, -1.0 / 250, -1.0 / 250}, {64, -1.0 / 250, 0}, {20, 0, 0}}},
    {"a reverse curve without a straight: R=500 right, then R=300 left", 91,
     {{100, 1.0 / 500, 1.0 / 500}, {120, -1.0 / 300, -1.0 / 300}}},
    {"an arc of 30 km radius and a clothoid from R=20 km to a straight", 300,
     {{800, 1.0 / 30000, 1.0 / 30000}, {400, 1.0 / 20000, 0}}},
    {"a loop: clothoid A=60 into R=60, an arc turning 270 degrees, clothoid out", 0,
     {{60, 0, 1.0 / 60}, {60 * 3 * std::numbers::pi / 2, 1.0 / 60, 1.0 / 60}, {60, 1.0 / 60, 0}}},
};

} // namespace

TEST(LandXmlGeometry, EachElementFromItsOwnDataLiesOnTheIntegratedLine) {
    KORVANE_SKIP_ON_WINDOWS("the Windows build has no XML parser");
    for (const Shape &shape : kShapes) {
        SCOPED_TRACE(shape.what);
        const Integrator line(Xy{-12345.678, 23456.789}, route_support::radians(shape.direction), shape.pieces);
        const std::vector<Element> elements = integratedElements(line, shape.pieces);
        // Ten decimals: the line itself, far within a micrometre. Six, as
        // other programs write: each element from its own rounded data stays
        // within a few micrometres and no joint is reported.
        for (const auto &[decimals, tolerance] : {std::pair{10, 1e-8}, std::pair{6, 3e-6}}) {
            const LoadedRoute read = readLandXmlText(landXml(elements, decimals), "");
            EXPECT_EQ(messageTexts(read.messages), std::vector<std::string>{}) << decimals << " decimals";
            ASSERT_EQ(read.alignment.segments.size(), shape.pieces.size());
            EXPECT_LT(largestError(read, line), tolerance) << decimals << " decimals";
        }
    }
}
