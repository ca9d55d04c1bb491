#include "library_messages.h"

#include <cstdio>
#include <set>
#include <string>

#include "design/text_encoding.h"
#include "korvane.h"

namespace korvane_route {

namespace {

void KORVANE_CALL writeMessage(const char *cp932Text) {
    static std::set<std::string> shown;
    std::string text = design_model::cp932ToUtf8(cp932Text ? cp932Text : "");
    for (char &c : text)
        if (c == '\n' || c == '\r') c = ' ';
    if (!shown.insert(text).second) return;
    std::fprintf(stderr, "korvane-route: %s\n", text.c_str());
    std::fflush(stderr);
}

} // namespace

bool showLibraryMessagesOnStderr(void *setHandlerSymbol) {
    if (!setHandlerSymbol) return false;
    using SetHandlerFunction = void(KORVANE_CALL *)(korvane_message_handler);
    reinterpret_cast<SetHandlerFunction>(setHandlerSymbol)(&writeMessage);
    return true;
}

} // namespace korvane_route
