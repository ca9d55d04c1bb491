#include "stderr_messages.h"

#include <cstdio>

#ifdef _WIN32
#  include <windows.h>

#  include <string>
#endif

#include "korvane.h"

#ifdef _WIN32

namespace {

// cp932 to UTF-8 through UTF-16 with the Windows code-page functions.
std::string cp932ToUtf8(const char *cp932) {
    const int wideLength = MultiByteToWideChar(932, 0, cp932, -1, nullptr, 0);
    if (wideLength <= 0) return cp932;
    std::wstring wide(std::size_t(wideLength), L'\0');
    MultiByteToWideChar(932, 0, cp932, -1, wide.data(), wideLength);
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), -1, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return cp932;
    std::string utf8(std::size_t(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), -1, utf8.data(), length, nullptr, nullptr);
    utf8.resize(std::size_t(length - 1)); // without the NUL
    return utf8;
}

void KORVANE_CALL writeMessage(const char *cp932Text) {
    std::string text = cp932ToUtf8(cp932Text ? cp932Text : "");
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
