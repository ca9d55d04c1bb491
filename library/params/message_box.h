// The library's one user-interface operation: a modal message with the
// caption "エラー", shown through the host's handler.
#pragma once

#include <string_view>

#include "korvane.h"

namespace korvane {

// Shows a message given in UTF-8; the host receives it as cp932 and the call
// returns when the message was dismissed.
void showError(std::string_view utf8Text);

// Shows a message formatted with printf rules (numbers with "." whatever the
// locale, since the exports run in the C locale).
void showErrorFormatted(const char *utf8Format, double value);

void setMessageHandler(korvane_message_handler handler);

} // namespace korvane
