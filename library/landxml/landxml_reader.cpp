#include "landxml/landxml_reader.h"

#include <cctype>
#include <cmath>

#include "landxml/alignment_reading.h"
#include "landxml/boundary_names.h"
#include "landxml/ip_rebuild.h"
#include "landxml/landxml_document.h"
#include "route/text_input.h"

namespace korvane::landxml {

namespace {

std::string alignmentList(const LandXmlDocument &document) {
    std::string list;
    for (const RawAlignment &a : document.alignments) list += (list.empty() ? "「" : "、「") + a.name + "」";
    return list;
}

// The alignment asked for; null after a refusal.
const RawAlignment *chosen(const LandXmlDocument &document, const std::string &name,
                           route::LoadedRoute &out) {
    if (document.alignments.empty()) {
        route::refuse(out, "LandXML ファイルには線形（Alignment）がありません。");
        return nullptr;
    }
    if (name.empty()) {
        if (document.alignments.size() == 1) return &document.alignments.front();
        route::refuse(out, "LandXML ファイルには線形が " + std::to_string(document.alignments.size()) + " 本あります（" +
                        alignmentList(document) + "）。読む線形を名前で指定してください。");
        return nullptr;
    }
    const RawAlignment *found = nullptr;
    for (const RawAlignment &a : document.alignments) {
        if (a.name != name) continue;
        if (found != nullptr) {
            route::refuse(out, "LandXML ファイルには線形「" + name + "」が 2 本以上あります。");
            return nullptr;
        }
        found = &a;
    }
    if (found == nullptr) route::refuse(out, "LandXML ファイルに線形「" + name + "」はありません（あるのは " + alignmentList(document) + "）。");
    return found;
}

// The zone of "9(X,Y)" or "9", as J-LandXML names the plane rectangular systems.
int zoneOf(const std::string &system) {
    int zone = 0;
    std::size_t i = 0;
    while (i < system.size() && i < 2 && std::isdigit(static_cast<unsigned char>(system[i]))) zone = zone * 10 + (system[i++] - '0');
    const bool alone = i == system.size() || system[i] == '(';
    return i > 0 && alone && zone >= 1 && zone <= 19 ? zone : 0;
}

// The main points: every boundary, named as the file names it, else as the
// given-back IP table's route names it, else by its curves.
void nameMainPoints(const ReadAlignment &read, const RebuiltRoute *rebuilt, route::LoadedRoute &out) {
    std::vector<std::string> names = boundaryNames(read.alignment);
    std::vector<int> ips(names.size(), -1);
    if (rebuilt != nullptr) {
        // Both lines are the same within the tolerance, and so are the
        // distances along them; a main point at no boundary of the read
        // elements (a PI that a straight runs through) names none.
        const std::vector<double> &starts = read.alignment.starts;
        for (const route::MainPoint &m : rebuilt->route.mainPoints)
            for (std::size_t i = 0; i < starts.size(); ++i)
                if (std::fabs(starts[i] - m.distance) <= kGapTolerance) {
                    names[i] = m.name;
                    ips[i] = m.ip;
                }
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string &given = read.boundaryNames[i];
        out.mainPoints.push_back(route::MainPoint{given.empty() ? names[i] : given, read.alignment.starts[i], ips[i]});
    }
}

} // namespace

std::optional<double> metresPerUnit(const std::string &unit) {
    static const std::pair<const char *, double> kUnits[] = {
        {"meter", 1},           {"millimeter", 0.001}, {"centimeter", 0.01}, {"kilometer", 1000},
        {"foot", 0.3048},       {"USSurveyFoot", 1200.0 / 3937.0},             {"inch", 0.0254}};
    if (unit.empty()) return 1.0;
    for (const auto &[name, metres] : kUnits)
        if (unit == name) return metres;
    return std::nullopt;
}

route::LoadedRoute readLandXmlText(std::string_view text, const std::string &alignmentName) {
    route::LoadedRoute out;
    LandXmlDocument document;
    std::string message;
    if (!readLandXmlDocument(text, document, message)) {
        route::refuse(out, message);
        return out;
    }
    const std::optional<double> metres = metresPerUnit(document.linearUnit);
    if (!metres) {
        route::refuse(out, "LandXML ファイルの長さの単位 " + document.linearUnit + " は読めません。");
        return out;
    }
    if (*metres != 1)
        out.messages.push_back(route::Message{route::Severity::Warning, -1,
                                              "LandXML ファイルの長さは " + document.linearUnit + " で書かれています。メートルに換算して読みました。"});
    const RawAlignment *raw = chosen(document, alignmentName, out);
    if (raw == nullptr) return out;
    out.settings.name = raw->name;
    out.settings.zone = zoneOf(document.coordinateSystem);
    ReadAlignment read;
    if (!readAlignment(*raw, document, *metres, read, out.messages)) return out;
    std::optional<RebuiltRoute> rebuilt = rebuildIpTable(read, out.messages);
    nameMainPoints(read, rebuilt ? &*rebuilt : nullptr, out);
    // The route is computed from the IP table where it is used
    // (computeLoadedRoute), as for a route of our own.
    if (rebuilt) out.ips = std::move(rebuilt->ips);
    out.alignment = std::move(read.alignment);
    out.settings.stationing.bpStation = read.stationing.bpStation;
    out.settings.stationing.equations = std::move(read.stationing.equations);
    return out;
}

route::LoadedRoute readLandXml(const std::string &path, const std::string &alignmentName) {
    std::string content, problem;
    if (!route::readInputFile(path.c_str(), route::kLargestInputFile, content, problem)) {
        route::LoadedRoute out;
        route::refuse(out, "LandXML ファイル " + path + ": " + problem + "。");
        return out;
    }
    return readLandXmlText(content, alignmentName);
}

} // namespace korvane::landxml
