#include "world/landxml_text.h"

#include <cstdio>
#include <unordered_set>

#include "world/angle_text.h"
#include "world/output_file.h"

namespace korvane {

namespace {

constexpr int kDecimals = 6;

// Point names are unique within CgPoints: a repeated name gets "#2", "#3"…
std::vector<std::string> uniqueNames(const std::vector<CgPointRow> &rows) {
    std::vector<std::string> names;
    names.reserve(rows.size());
    std::unordered_set<std::string> taken;
    for (const CgPointRow &row : rows) {
        std::string name = row.name;
        for (int k = 2; taken.count(name) != 0; ++k) name = row.name + "#" + std::to_string(k);
        taken.insert(name);
        names.push_back(std::move(name));
    }
    return names;
}

} // namespace

std::string xmlEscaped(const std::string &text) {
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

std::string xmlNumber(double value) { return fixed(value, kDecimals); }

std::string xmlCoordinates(route::PlanePoint p) { return xmlNumber(p.x) + " " + xmlNumber(p.y); }

std::string xmlPointElement(const char *tag, route::PlanePoint p, const std::string &name) {
    const std::string attribute = name.empty() ? std::string() : " name=\"" + xmlEscaped(name) + "\"";
    return std::string("<") + tag + attribute + ">" + xmlCoordinates(p) + "</" + tag + ">";
}

std::string landXmlHeader(const std::string &project, int zone, const std::tm &stamp) {
    char when[96];
    std::snprintf(when, sizeof when, "date=\"%04d-%02d-%02d\" time=\"%02d:%02d:%02d\"", stamp.tm_year + 1900,
                  stamp.tm_mon + 1, stamp.tm_mday, stamp.tm_hour, stamp.tm_min, stamp.tm_sec);
    const std::string system = zone > 0 ? "  <CoordinateSystem horizontalDatum=\"JGD2011\" horizontalCoordinateSystemName=\"" +
                                              std::to_string(zone) + "(X,Y)\"/>\n"
                                        : "  <CoordinateSystem/>\n";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.2\" " +
           std::string(when) + " version=\"1.2\">\n"
           "  <Project name=\"" + xmlEscaped(project) + "\"/>\n"
           "  <Application name=\"Rovena\" version=\"1.0\"/>\n" +
           system +
           "  <Units>\n"
           "    <Metric areaUnit=\"squareMeter\" linearUnit=\"meter\" volumeUnit=\"cubicMeter\" "
           "temperatureUnit=\"celsius\" pressureUnit=\"HPA\" angularUnit=\"decimal dd.mm.ss\" "
           "directionUnit=\"decimal dd.mm.ss\"/>\n"
           "  </Units>\n";
}

std::tm currentStamp() {
    const std::time_t now = std::time(nullptr);
    const std::tm *local = std::localtime(&now);
    std::tm stamp{};
    if (local != nullptr) stamp = *local;
    return stamp;
}

std::string cgPointsText(const std::vector<CgPointRow> &rows) {
    const std::vector<std::string> names = uniqueNames(rows);
    std::string points, features;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const CgPointRow &row = rows[i];
        const std::string name = xmlEscaped(names[i]);
        points += "    <CgPoint name=\"" + name + "\" featureRef=\"" + name + "\">" + xmlCoordinates(row.point) +
                  "</CgPoint>\n";
        features += "    <Feature name=\"" + name + "\">\n"
                    "      <Property label=\"sta\" value=\"" + xmlNumber(row.station) + "\"/>\n"
                    "      <Property label=\"測点\" value=\"" + xmlEscaped(row.label) + "\"/>\n"
                    "      <Property label=\"方向角\" value=\"" + ddmmssText(row.direction) + "\"/>\n"
                    "    </Feature>\n";
    }
    return "  <CgPoints name=\"中心線座標\">\n" + points + features + "  </CgPoints>\n";
}

} // namespace korvane
