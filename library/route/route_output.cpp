#include "route/route_output.h"

#include "params/message_box.h"
#include "route/route_input.h"
#include "route/route_rows.h"
#include "world/output_file.h"

namespace korvane::route {

bool showMessages(const std::vector<Message> &messages) {
    for (const Message &m : messages) showError(m.severity == Severity::Warning ? "警告: " + m.text : m.text);
    return !hasRefusal(messages);
}

int refused(const std::string &text) {
    showMessages({Message{Severity::Refusal, -1, text}});
    return 0;
}

bool preparedRoute(const char *inputPath, const char *settingsPath, LoadedRoute &route, std::vector<TableRow> &rows) {
    route = loadRoute(inputPath, settingsPath);
    std::vector<Message> stationing;
    rows = loadedRows(route, stationing);
    for (Message &m : stationing) route.messages.push_back(std::move(m));
    return showMessages(route.messages) && !rows.empty();
}

int writeText(const char *path, const std::string &utf8, TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Cp932: return replaceOutputFile(path, toCp932Text(utf8));
    case TextEncoding::Utf8: return replaceOutputFile(path, utf8);
    case TextEncoding::Utf8WithBom: return replaceOutputFile(path, "\xEF\xBB\xBF" + utf8);
    }
    return 0;
}

} // namespace korvane::route
