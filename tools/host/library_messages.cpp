#include "library_messages.h"

#include <cstdio>
#include <set>
#include <string>

#include "design/text_encoding.h"
#include "korvane.h"

namespace korvane_host {

namespace {

// The handler is a plain function pointer, so what it needs lives here.
std::string messagePrefix;
bool sayEachOnce = false;

void KORVANE_CALL writeMessage(const char *cp932Text) {
    static std::set<std::string> said;
    std::string text = design_model::cp932ToUtf8(cp932Text ? cp932Text : "");
    for (char &c : text)
        if (c == '\n' || c == '\r') c = ' ';
    if (sayEachOnce && !said.insert(text).second) return;
    std::fprintf(stderr, "%s%s\n", messagePrefix.c_str(), text.c_str());
    std::fflush(stderr);
}

} // namespace

bool sendLibraryMessagesToStderr(void *setHandlerSymbol, const char *prefix, bool eachOnce) {
    if (!setHandlerSymbol) return false;
    messagePrefix = prefix;
    sayEachOnce = eachOnce;
    using SetHandlerFunction = void(KORVANE_CALL *)(korvane_message_handler);
    reinterpret_cast<SetHandlerFunction>(setHandlerSymbol)(&writeMessage);
    return true;
}

} // namespace korvane_host
