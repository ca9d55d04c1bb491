#include "world/landxml_writer.h"

#include <cmath>
#include <utility>

#include "world/landxml_text.h"
#include "world/output_file.h"

namespace korvane {

namespace {

std::vector<CgPointRow> cgPointRows(const std::vector<TablePoint> &points) {
    std::vector<CgPointRow> rows;
    rows.reserve(points.size());
    for (const TablePoint &p : points)
        rows.push_back(CgPointRow{p.kind == PointKind::Normal ? p.label : p.name, p.label, p.distance, p.at.point,
                                  p.at.direction});
    return rows;
}

std::string line(WorldPoint from, WorldPoint to) {
    return "        <Line length=\"" + xmlNumber(std::hypot(to.x - from.x, to.y - from.y)) + "\">" +
           xmlPointElement("Start", from) + xmlPointElement("End", to) + "</Line>\n";
}

std::string spiral(const WorldAlignment &w, bool entering) {
    const std::string rot = w.turn.right ? "cw" : "ccw";
    const std::string radius = xmlNumber(w.radius);
    const double a = entering ? w.aIn : w.aOut;
    const double length = entering ? w.lengthIn : w.lengthOut;
    std::string text = "        <Spiral length=\"" + xmlNumber(length) + "\" radiusStart=\"" +
                       (entering ? "INF" : radius) + "\" radiusEnd=\"" + (entering ? radius : "INF") +
                       "\" rot=\"" + rot + "\" spiType=\"clothoid\">";
    text += entering ? xmlPointElement("Start", w.ka1) + xmlPointElement("PI", w.piIn) + xmlPointElement("End", w.ke1)
                     : xmlPointElement("Start", w.ke2) + xmlPointElement("PI", w.piOut) + xmlPointElement("End", w.ka2);
    return text + "<Feature><Property label=\"A\" value=\"" + xmlNumber(a) + "\"/></Feature></Spiral>\n";
}

std::string curve(const WorldAlignment &w) {
    if (!(w.arcLength > 0)) return {};
    return "        <Curve rot=\"" + std::string(w.turn.right ? "cw" : "ccw") + "\" radius=\"" + xmlNumber(w.radius) +
           "\" length=\"" + xmlNumber(w.arcLength) + "\">" + xmlPointElement("Start", w.ke1) +
           xmlPointElement("Center", w.centre) + xmlPointElement("End", w.ke2) + "</Curve>\n";
}

std::string alignment(const WorldAlignment &w) {
    const Placement &p = w.placement;
    std::string text = "  <Alignments>\n    <Alignment name=\"" + xmlEscaped(p.route) + "\" length=\"" +
                       xmlNumber(w.epDistance - w.bpDistance) + "\" staStart=\"" + xmlNumber(w.bpDistance) + "\">\n";
    text += "      <CoordGeom>\n" + line(p.bp, w.ka1) + spiral(w, true) + curve(w) + spiral(w, false) +
            line(w.ka2, p.ep) + "      </CoordGeom>\n";
    text += "      <AlignPIs>\n";
    for (const auto &[name, point] : {std::pair{"BP", p.bp}, std::pair{"IP", p.ip}, std::pair{"EP", p.ep}})
        text += "        <AlignPI><PI name=\"" + std::string(name) + "\">" + xmlCoordinates(point) + "</PI></AlignPI>\n";
    return text + "      </AlignPIs>\n    </Alignment>\n  </Alignments>\n";
}

} // namespace

std::string landXmlText(const WorldAlignment &w, const std::vector<TablePoint> &points, const std::tm &stamp) {
    return landXmlHeader(w.placement.route, w.placement.zone, stamp) + cgPointsText(cgPointRows(points)) +
           alignment(w) + "</LandXML>\n";
}

int writeLandXml(const char *path, const WorldAlignment &w, const std::vector<TablePoint> &points) {
    return writeOutputFile(path, landXmlText(w, points, currentStamp()));
}

} // namespace korvane
