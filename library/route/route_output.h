// How the route's exports meet the host: the route read and computed with
// its messages shown through the message handler, and a text written in the
// encoding asked for, replacing an earlier file only once it is complete.
#pragma once

#include <string>
#include <vector>

#include "route/loaded_route.h"
#include "route/table_rows.h"

namespace korvane::route {

// Shows each message through the handler, a warning as "警告: " and its
// text. False when one of them is a refusal.
bool showMessages(const std::vector<Message> &messages);

// Shows the refusal of a call (its arguments, not the route); 0, the
// export's result.
int refused(const std::string &text);

// The route of inputPath (with the settings of settingsPath, may be null)
// and the rows of its coordinate table, after showing every message of
// reading, computing and stationing; the messages end up in route.messages.
// False when the route is refused: nothing is to be written then.
bool preparedRoute(const char *inputPath, const char *settingsPath, LoadedRoute &route, std::vector<TableRow> &rows);

enum class TextEncoding { Cp932, Utf8, Utf8WithBom };

// Writes the UTF-8 text in the encoding through a temporary file beside
// path; 1, or 0 after a message.
int writeText(const char *path, const std::string &utf8, TextEncoding encoding);

} // namespace korvane::route
