#include "console_text.h"

#ifdef _WIN32
#  include <windows.h>
#else
#  include <iconv.h>
#endif

namespace korvane_route {

namespace {

#ifdef _WIN32
// Text of a code page to UTF-8 through UTF-16.
std::string utf8FromCodePage(const std::string &text, UINT codePage) {
    if (text.empty()) return text;
    const int wideLength = MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), nullptr, 0);
    if (wideLength <= 0) return text;
    std::wstring wide(std::size_t(wideLength), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), wide.data(), wideLength);
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return text;
    std::string utf8(std::size_t(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, utf8.data(), length, nullptr, nullptr);
    return utf8;
}
#endif

} // namespace

std::string utf8FromCp932(const std::string &cp932) {
#ifdef _WIN32
    return utf8FromCodePage(cp932, 932);
#else
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == iconv_t(-1)) return cp932;
    std::string out;
    char *in = const_cast<char *>(cp932.data());
    std::size_t left = cp932.size();
    char buffer[4096];
    while (left > 0) {
        char *to = buffer;
        std::size_t room = sizeof buffer;
        const std::size_t result = iconv(cd, &in, &left, &to, &room);
        out.append(buffer, std::size_t(to - buffer));
        if (result == std::size_t(-1) && to == buffer) { // a byte that is no cp932: shown as U+FFFD
            out += "\xEF\xBF\xBD";
            ++in;
            --left;
        }
    }
    iconv_close(cd);
    return out;
#endif
}

std::string utf8FromArgument(const std::string &argument) {
#ifdef _WIN32
    return utf8FromCodePage(argument, CP_ACP);
#else
    return argument;
#endif
}

} // namespace korvane_route
