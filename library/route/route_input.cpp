#include "route/route_input.h"

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
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\r' || text.front() == '\n'))
        text.remove_prefix(1);
    return text;
}

bool readRouteSource(const std::string &content, LoadedRoute &route) {
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
        // The LandXML reader (library/landxml/) fills the route here: its
        // settings from the file (name, staStart, equations), its alignment
        // and main points, and its IP table where the file's PIs give one.
        refuse(route, "LandXML ファイルの読み込みにはまだ対応していません。");
        return false;
    }
    return false;
}

bool applySettingsFile(const char *settingsPath, LoadedRoute &route) {
    std::string content, problem;
    if (!readInputFile(settingsPath, kLargestInputFile, content, problem)) {
        refuse(route, "設定のファイル: " + problem + "。");
        return false;
    }
    if (applyRouteSettings(content, route.settings, problem)) return true;
    refuse(route, "設定のファイル " + problem);
    return false;
}

} // namespace

InputKind inputKind(std::string_view content) {
    const std::string_view text = withoutLeadingBlanks(content);
    if (!text.empty() && text.front() == '<') return InputKind::LandXml;
    return isRouteFileText(content) ? InputKind::RouteFile : InputKind::IpTable;
}

void computeLoadedRoute(LoadedRoute &route) {
    Route computed = computeRoute(route.ips);
    if (!hasRefusal(computed.messages))
        for (Message &m : designChecks(computed, route.settings.speed)) computed.messages.push_back(std::move(m));
    route.alignment = std::move(computed.alignment);
    route.mainPoints = std::move(computed.mainPoints);
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
    if (!readRouteSource(content, route)) return false;
    return settingsPath == nullptr || *settingsPath == '\0' || applySettingsFile(settingsPath, route);
}

LoadedRoute loadRoute(const char *path, const char *settingsPath) {
    LoadedRoute route;
    if (readRouteInput(path, settingsPath, route)) computeLoadedRoute(route);
    return route;
}

} // namespace korvane::route
