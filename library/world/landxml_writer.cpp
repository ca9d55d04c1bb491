#include "world/landxml_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

#include "world/angle_text.h"
#include "world/output_file.h"

namespace korvane {

namespace {

constexpr int kDecimals = 6;

std::string escaped(const std::string &text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out.push_back(c);
        }
    }
    return out;
}

std::string number(double value) { return fixed(value, kDecimals); }

// "north east", as the standard writes a point.
std::string coordinates(WorldPoint p) { return number(p.x) + " " + number(p.y); }

std::string pointElement(const char *tag, WorldPoint p) {
    return std::string("<") + tag + ">" + coordinates(p) + "</" + tag + ">";
}

std::string header(const WorldAlignment &w, const std::tm &stamp) {
    char when[96];
    std::snprintf(when, sizeof when, "date=\"%04d-%02d-%02d\" time=\"%02d:%02d:%02d\"", stamp.tm_year + 1900,
                  stamp.tm_mon + 1, stamp.tm_mday, stamp.tm_hour, stamp.tm_min, stamp.tm_sec);
    const std::string name = escaped(w.placement.route);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.2\" " +
           std::string(when) + " version=\"1.2\">\n"
           "  <Project name=\"" + name + "\"/>\n"
           "  <Application name=\"Rovena\" version=\"1.0\"/>\n"
           "  <CoordinateSystem horizontalDatum=\"JGD2011\" horizontalCoordinateSystemName=\"" +
           std::to_string(w.placement.zone) + "(X,Y)\"/>\n"
           "  <Units>\n"
           "    <Metric areaUnit=\"squareMeter\" linearUnit=\"meter\" volumeUnit=\"cubicMeter\" "
           "temperatureUnit=\"celsius\" pressureUnit=\"HPA\" angularUnit=\"decimal dd.mm.ss\" "
           "directionUnit=\"decimal dd.mm.ss\"/>\n"
           "  </Units>\n";
}

// Point names are unique within CgPoints: a repeated label gets "#2", "#3"…
std::vector<std::string> uniqueNames(const std::vector<TablePoint> &points) {
    std::vector<std::string> names;
    for (const TablePoint &p : points) {
        const std::string base = p.kind == PointKind::Normal ? p.label : p.name;
        std::string name = base;
        for (int k = 2; std::find(names.begin(), names.end(), name) != names.end(); ++k)
            name = base + "#" + std::to_string(k);
        names.push_back(name);
    }
    return names;
}

std::string cgPoints(const std::vector<TablePoint> &points) {
    const std::vector<std::string> names = uniqueNames(points);
    std::string points_, features;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const TablePoint &p = points[i];
        const std::string name = escaped(names[i]);
        points_ += "    <CgPoint name=\"" + name + "\" featureRef=\"" + name + "\">" + coordinates(p.at.point) +
                   "</CgPoint>\n";
        features += "    <Feature name=\"" + name + "\">\n"
                    "      <Property label=\"sta\" value=\"" + number(p.distance) + "\"/>\n"
                    "      <Property label=\"測点\" value=\"" + escaped(p.label) + "\"/>\n"
                    "      <Property label=\"方向角\" value=\"" + ddmmssText(p.at.direction) + "\"/>\n"
                    "    </Feature>\n";
    }
    return "  <CgPoints name=\"中心線座標\">\n" + points_ + features + "  </CgPoints>\n";
}

std::string line(WorldPoint from, WorldPoint to) {
    return "        <Line length=\"" + number(std::hypot(to.x - from.x, to.y - from.y)) + "\">" +
           pointElement("Start", from) + pointElement("End", to) + "</Line>\n";
}

std::string spiral(const WorldAlignment &w, bool entering) {
    const std::string rot = w.turn.right ? "cw" : "ccw";
    const std::string radius = number(w.radius);
    const double a = entering ? w.aIn : w.aOut;
    const double length = entering ? w.lengthIn : w.lengthOut;
    std::string text = "        <Spiral length=\"" + number(length) + "\" radiusStart=\"" +
                       (entering ? "INF" : radius) + "\" radiusEnd=\"" + (entering ? radius : "INF") +
                       "\" rot=\"" + rot + "\" spiType=\"clothoid\">";
    text += entering ? pointElement("Start", w.ka1) + pointElement("PI", w.piIn) + pointElement("End", w.ke1)
                     : pointElement("Start", w.ke2) + pointElement("PI", w.piOut) + pointElement("End", w.ka2);
    return text + "<Feature><Property label=\"A\" value=\"" + number(a) + "\"/></Feature></Spiral>\n";
}

std::string curve(const WorldAlignment &w) {
    if (!(w.arcLength > 0)) return {};
    return "        <Curve rot=\"" + std::string(w.turn.right ? "cw" : "ccw") + "\" radius=\"" + number(w.radius) +
           "\" length=\"" + number(w.arcLength) + "\">" + pointElement("Start", w.ke1) +
           pointElement("Center", w.centre) + pointElement("End", w.ke2) + "</Curve>\n";
}

std::string alignment(const WorldAlignment &w) {
    const Placement &p = w.placement;
    std::string text = "  <Alignments>\n    <Alignment name=\"" + escaped(p.route) + "\" length=\"" +
                       number(w.epDistance - w.bpDistance) + "\" staStart=\"" + number(w.bpDistance) + "\">\n";
    text += "      <CoordGeom>\n" + line(p.bp, w.ka1) + spiral(w, true) + curve(w) + spiral(w, false) +
            line(w.ka2, p.ep) + "      </CoordGeom>\n";
    text += "      <AlignPIs>\n";
    for (const auto &[name, point] : {std::pair{"BP", p.bp}, std::pair{"IP", p.ip}, std::pair{"EP", p.ep}})
        text += "        <AlignPI><PI name=\"" + std::string(name) + "\">" + coordinates(point) + "</PI></AlignPI>\n";
    return text + "      </AlignPIs>\n    </Alignment>\n  </Alignments>\n";
}

} // namespace

std::string landXmlText(const WorldAlignment &w, const std::vector<TablePoint> &points, const std::tm &stamp) {
    return header(w, stamp) + cgPoints(points) + alignment(w) + "</LandXML>\n";
}

int writeLandXml(const char *path, const WorldAlignment &w, const std::vector<TablePoint> &points) {
    const std::time_t now = std::time(nullptr);
    const std::tm *local = std::localtime(&now);
    std::tm stamp{};
    if (local != nullptr) stamp = *local;
    return writeOutputFile(path, landXmlText(w, points, stamp));
}

} // namespace korvane
