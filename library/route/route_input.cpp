#include "route/route_input.h"

#include "landxml/landxml_reader.h"
#include "route/route_file.h"
#include "route/text_input.h"

namespace korvane::route {

namespace {

bool readRouteSource(const std::string &content, const std::string &alignment, LoadedRoute &route) {
    if (inputKind(content) != InputKind::LandXml) return readRouteOrIpTable(content, route);
    route = landxml::readLandXmlText(content, alignment);
    return !hasRefusal(route.messages);
}

bool applySettings(const std::string &content, RouteSettings &settings, LoadedRoute &route) {
    std::string problem;
    if (applyRouteSettings(content, settings, problem)) return true;
    refuse(route, "設定: " + problem);
    return false;
}

} // namespace

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
