#include "route/route_input.h"

#include "route/route_file.h"
#include "route/text_input.h"

namespace korvane::route {

namespace {

void refuse(LoadedRoute &route, const std::string &text) {
    route.messages.push_back(Message{Severity::Refusal, -1, text});
}

bool readRouteSource(const std::string &content, LoadedRoute &route) {
    if (inputKind(content) != InputKind::LandXml) return readRouteOrIpTable(content, route);
    // The LandXML reader (library/landxml/) fills the route here: its
    // settings from the file (name, staStart, equations), its alignment
    // and main points, and its IP table where the file's PIs give one.
    refuse(route, "LandXML ファイルの読み込みにはまだ対応していません。");
    return false;
}

bool applySettingsFile(const char *settingsPath, LoadedRoute &route) {
    std::string content, problem;
    if (!readInputFile(settingsPath, kLargestInputFile, content, problem)) {
        refuse(route, "設定のファイル: " + problem + "。");
        return false;
    }
    if (applyRouteSettings(content, route.settings, problem)) return true;
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
    if (!readRouteSource(content, route)) return false;
    return settingsPath == nullptr || *settingsPath == '\0' || applySettingsFile(settingsPath, route);
}

LoadedRoute loadRoute(const char *path, const char *settingsPath) {
    LoadedRoute route;
    if (readRouteInput(path, settingsPath, route)) computeLoadedRoute(route);
    return route;
}

} // namespace korvane::route
