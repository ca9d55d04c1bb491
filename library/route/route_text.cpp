#include "route/route_text.h"

#include "design/utf8_text.h"
#include "route/ip_table_csv.h"
#include "route/route_file.h"
#include "route/text_input.h"

namespace korvane::route {

namespace {

std::string_view withoutLeadingBlanks(std::string_view text) {
    text = design_model::withoutByteOrderMark(text);
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\r' || text.front() == '\n'))
        text.remove_prefix(1);
    return text;
}

} // namespace

InputKind inputKind(std::string_view content) {
    const std::string_view text = withoutLeadingBlanks(content);
    if (!text.empty() && text.front() == '<') return InputKind::LandXml;
    return isRouteFileText(content) ? InputKind::RouteFile : InputKind::IpTable;
}

bool readRouteOrIpTable(const std::string &content, LoadedRoute &route) {
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
        break;
    }
    return false;
}

} // namespace korvane::route
