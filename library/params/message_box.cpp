#include "params/message_box.h"

#include <cstdio>
#include <string>

#include "params/cp932.h"
#include "params/message_box_windows.h"

namespace korvane {

#ifdef _WIN32
MessageBoxFunction messageBoxFunction = &MessageBoxA;
#endif

namespace {

void KORVANE_CALL defaultHandler(const char *cp932Text) {
#ifdef _WIN32
    // Modal, without owner window, OK only; the caption "エラー" in cp932.
    messageBoxFunction(nullptr, cp932Text, "\x83\x47\x83\x89\x81\x5B", MB_OK);
#else
    std::string text = cp932ToUtf8(cp932Text);
    for (char &c : text)
        if (c == '\n' || c == '\r') c = ' ';
    std::fprintf(stderr, "エラー: %s\n", text.c_str());
    std::fflush(stderr);
#endif
}

korvane_message_handler currentHandler = defaultHandler;

} // namespace

void setMessageHandler(korvane_message_handler handler) {
    currentHandler = handler ? handler : defaultHandler;
}

void showError(std::string_view utf8Text) {
    char text[1024];
    toCp932(utf8Text, text, sizeof text);
    currentHandler(text);
}

void showErrorFormatted(const char *utf8Format, double value) {
    char text[1024];
    std::snprintf(text, sizeof text, utf8Format, value);
    showError(text);
}

} // namespace korvane
