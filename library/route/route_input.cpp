#include "route/route_input.h"

#include "design/utf8_text.h"
#include "landxml/landxml_reader.h"
#include "route/design_checks.h"
#include "route/ip_table_csv.h"
#include "route/route_file.h"
#include "route/text_input.h"

namespace korvane::route {

namespace {

void refuse(LoadedRoute &route, const std::string &text) {
    route.messages.push_back(Message{Severity::Refusal, -1, text});
}

std::string_view withoutLeadingBlanks(std::string_view text) {
    text = design_model::withoutByteOrderMark(text);
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\r' || text.front() == '\n'))
        text.remove_prefix(1);
    return text;
}

bool readRouteSource(const std::string &content, const std::string &alignment, LoadedRoute &route) {
    std::string problem;
    switch (inputKind(content)) {
    case InputKind::RouteFile:
        if (readRouteFile(content, route.settings, route.ips, problem)) return true;
        refuse(route, "路線ファイル " + problem);
        return false;
    case InputKind::IpTable: {
        std::string utf8;
        if (!utf8FromEither(content, utf8)) {
            refuse(route, "IP 表（CSV）が UTF-8 でも cp932 でもありません。");
            return false;
        }
        if (readIpTable(utf8, route.ips, problem)) return true;
        refuse(route, "IP 表（CSV）" + problem);
        return false;
    }
    case InputKind::LandXml:
        route = landxml::readLandXmlText(content, alignment);
        return !hasRefusal(route.messages);
    }
    return false;
}

bool applySettings(const std::string &content, RouteSettings &settings, LoadedRoute &route) {
    std::string problem;
    if (applyRouteSettings(content, settings, problem)) return true;
    refuse(route, "設定: " + problem);
    return false;
}

} // namespace

InputKind inputKind(std::string_view content) {
    const std::string_view text = withoutLeadingBlanks(content);
    if (!text.empty() && text.front() == '<') return InputKind::LandXml;
    return isRouteFileText(content) ? InputKind::RouteFile : InputKind::IpTable;
}

void computeLoadedRoute(LoadedRoute &route) {
    // A line read from a LandXML file is its own elements; its IP table,
    // where it has one, gives the calculation sheet's values and the checks.
    const bool lineRead = !route.alignment.segments.empty();
    if (lineRead && route.ips.empty()) {
        if (route.settings.speed != 0)
            route.messages.push_back(Message{Severity::Warning, -1, "IP 表のない線形なので、設計速度による照査はしません。"});
        return;
    }
    Route computed = computeRoute(route.ips);
    if (!hasRefusal(computed.messages))
        for (Message &m : designChecks(computed, route.settings.speed)) computed.messages.push_back(std::move(m));
    if (!lineRead) {
        route.alignment = std::move(computed.alignment);
        route.mainPoints = std::move(computed.mainPoints);
    }
    route.ipResults = std::move(computed.ips);
    for (Message &m : computed.messages) route.messages.push_back(std::move(m));
}

bool readRouteInput(const char *path, const char *settingsPath, LoadedRoute &route) {
    route = LoadedRoute{};
    std::string content, problem;
    if (!readInputFile(path, kLargestInputFile, content, problem)) {
        refuse(route, "路線の入力ファイル: " + problem + "。");
        return false;
    }
    // The settings are read first: they may name the alignment of a LandXML file.
    std::string settings;
    RouteSettings options;
    const bool withSettings = settingsPath != nullptr && *settingsPath != '\0';
    if (withSettings && !readInputFile(settingsPath, kLargestInputFile, settings, problem)) {
        refuse(route, "設定のファイル: " + problem + "。");
        return false;
    }
    if (withSettings && !applySettings(settings, options, route)) return false;
    if (!readRouteSource(content, options.alignment, route)) return false;
    return !withSettings || applySettings(settings, route.settings, route);
}

LoadedRoute loadRoute(const char *path, const char *settingsPath) {
    LoadedRoute route;
    if (readRouteInput(path, settingsPath, route)) computeLoadedRoute(route);
    return route;
}

} // namespace korvane::route
