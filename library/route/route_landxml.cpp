#include "route/route_landxml.h"

#include <cmath>

#include "world/landxml_text.h"

namespace korvane::route {

namespace {

constexpr double kSamePlace = 1e-6;

std::string rot(double curvature) { return curvature > 0 ? "cw" : "ccw"; }

std::string radius(double curvature) { return curvature == 0 ? "INF" : xmlNumber(1 / std::fabs(curvature)); }

// The names of the main points at each segment's start and end ("" where
// none stands).
struct EndNames {
    std::string start, end;
};

std::vector<EndNames> endNames(const Alignment &alignment, const std::vector<MainPoint> &mainPoints) {
    std::vector<EndNames> names(alignment.segments.size());
    std::size_t m = 0;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const double start = alignment.starts[i], end = alignment.starts[i + 1];
        while (m < mainPoints.size() && mainPoints[m].distance < start - kSamePlace) ++m;
        if (m < mainPoints.size() && std::fabs(mainPoints[m].distance - start) <= kSamePlace)
            names[i].start = mainPoints[m].name;
        std::size_t k = m;
        while (k < mainPoints.size() && mainPoints[k].distance < end - kSamePlace) ++k;
        if (k < mainPoints.size() && std::fabs(mainPoints[k].distance - end) <= kSamePlace) names[i].end = mainPoints[k].name;
    }
    return names;
}

std::string element(const Segment &s, const EndNames &names) {
    const PlanePoint end = segmentEnd(s).point;
    const std::string start = xmlPointElement("Start", s.start, names.start);
    const std::string last = xmlPointElement("End", end, names.end);
    switch (s.kind) {
    case SegmentKind::Line:
        return "        <Line length=\"" + xmlNumber(s.length) + "\">" + start + last + "</Line>\n";
    case SegmentKind::Arc:
        return "        <Curve rot=\"" + rot(s.startCurvature) + "\" radius=\"" + radius(s.startCurvature) +
               "\" length=\"" + xmlNumber(s.length) + "\">" + start + xmlPointElement("Center", arcCentre(s)) + last +
               "</Curve>\n";
    case SegmentKind::Clothoid: {
        const double change = std::fabs(s.endCurvature - s.startCurvature);
        const double side = s.startCurvature != 0 ? s.startCurvature : s.endCurvature;
        return "        <Spiral length=\"" + xmlNumber(s.length) + "\" radiusStart=\"" + radius(s.startCurvature) +
               "\" radiusEnd=\"" + radius(s.endCurvature) + "\" rot=\"" + rot(side) + "\" spiType=\"clothoid\">" +
               start + xmlPointElement("PI", tangentIntersection(s)) + last + "<Feature><Property label=\"A\" value=\"" +
               xmlNumber(std::sqrt(s.length / change)) + "\"/></Feature></Spiral>\n";
    }
    }
    return {};
}

std::string coordGeom(const LoadedRoute &route) {
    const std::vector<EndNames> names = endNames(route.alignment, route.mainPoints);
    std::string text = "      <CoordGeom>\n";
    for (std::size_t i = 0; i < route.alignment.segments.size(); ++i) text += element(route.alignment.segments[i], names[i]);
    return text + "      </CoordGeom>\n";
}

// Each equation where it stands: staInternal is the station the line would
// have there without equations (staStart plus the distance along the line).
std::string staEquations(const LoadedRoute &route) {
    std::vector<Message> ignored;
    const Stationing &st = route.settings.stationing;
    const StationMap map = mapStations(st, route.alignment.length(), ignored);
    std::string text;
    for (std::size_t i = 0; i + 1 < map.pieces.size() && i < st.equations.size(); ++i)
        text += "      <StaEquation staBack=\"" + xmlNumber(st.equations[i].back) + "\" staAhead=\"" +
                xmlNumber(st.equations[i].ahead) + "\" staInternal=\"" +
                xmlNumber(st.bpStation + map.pieces[i + 1].from) + "\"/>\n";
    return text;
}

std::string alignPis(const std::vector<IpInput> &ips) {
    if (ips.size() < 2) return {};
    std::string text = "      <AlignPIs>\n";
    for (std::size_t i = 0; i < ips.size(); ++i)
        text += "        <AlignPI>" + xmlPointElement("PI", ips[i].point, pointName(ips, i)) + "</AlignPI>\n";
    return text + "      </AlignPIs>\n";
}

std::vector<CgPointRow> cgPointRows(const std::vector<TableRow> &rows) {
    std::vector<CgPointRow> out;
    out.reserve(rows.size());
    for (const TableRow &r : rows) out.push_back(CgPointRow{r.name, r.label, r.station, r.pose.point, r.pose.direction});
    return out;
}

} // namespace

std::string routeLandXmlText(const LoadedRoute &route, const std::vector<TableRow> &rows, const std::tm &stamp) {
    const RouteSettings &s = route.settings;
    return landXmlHeader(s.name, s.zone, stamp) + cgPointsText(cgPointRows(rows)) + "  <Alignments>\n    <Alignment name=\"" +
           xmlEscaped(s.name) + "\" length=\"" + xmlNumber(route.alignment.length()) + "\" staStart=\"" +
           xmlNumber(s.stationing.bpStation) + "\">\n" + coordGeom(route) + staEquations(route) + alignPis(route.ips) +
           "    </Alignment>\n  </Alignments>\n</LandXML>\n";
}

} // namespace korvane::route
