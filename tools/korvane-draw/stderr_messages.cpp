#include "stderr_messages.h"

#include <cstdio>

#ifdef _WIN32
#  include <string>

#  include "design/text_encoding.h"
#endif

#include "korvane.h"

#ifdef _WIN32

namespace {

void KORVANE_CALL writeMessage(const char *cp932Text) {
    std::string text = design_model::cp932ToUtf8(cp932Text ? cp932Text : "");
    for (char &c : text)
        if (c == '\n' || c == '\r') c = ' ';
    std::fprintf(stderr, "エラー: %s\n", text.c_str());
    std::fflush(stderr);
}

} // namespace

bool useStderrForMessages(void *setHandlerSymbol) {
    if (!setHandlerSymbol) return false;
    using SetHandlerFunction = void(KORVANE_CALL *)(korvane_message_handler);
    reinterpret_cast<SetHandlerFunction>(setHandlerSymbol)(&writeMessage);
    return true;
}

#else

bool useStderrForMessages(void *) { return true; }

#endif
