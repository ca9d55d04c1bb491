#include "params/cp932.h"

#include <cstring>

#ifdef _WIN32
#  include <windows.h>
#else
#  include <cerrno>
#  include <iconv.h>
#endif

namespace korvane {

#ifdef _WIN32

namespace {
std::wstring widen(std::string_view text, UINT codePage) {
    if (text.empty()) return {};
    int n = MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(std::size_t(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), wide.data(), n);
    return wide;
}
std::string narrow(const std::wstring &wide, UINT codePage) {
    if (wide.empty()) return {};
    int n = WideCharToMultiByte(codePage, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(std::size_t(n), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), int(wide.size()), text.data(), n, nullptr, nullptr);
    return text;
}
} // namespace

std::size_t toCp932(std::string_view utf8, char *out, std::size_t capacity) {
    if (capacity == 0) return 0;
    std::string bytes = narrow(widen(utf8, CP_UTF8), 932);
    std::size_t n = bytes.size() < capacity - 1 ? bytes.size() : capacity - 1;
    std::memcpy(out, bytes.data(), n);
    out[n] = '\0';
    return n;
}

std::string cp932ToUtf8(std::string_view cp932) { return narrow(widen(cp932, 932), CP_UTF8); }

#else

namespace {

// One converter per direction, opened on first use and kept until the library
// is unloaded: the library runs on one thread and converts on every message and
// element-table line.
class Converter {
public:
    Converter(const char *to, const char *from) : to_(to), from_(from) {}
    ~Converter() {
        if (handle_ != iconv_t(-1)) iconv_close(handle_);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    // The converter in its initial shift state, or iconv_t(-1) when the
    // platform lacks it.
    iconv_t get() {
        if (handle_ == iconv_t(-1)) handle_ = iconv_open(to_, from_);
        else iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        return handle_;
    }

private:
    const char *to_;
    const char *from_;
    iconv_t handle_ = iconv_t(-1);
};

iconv_t utf8ToCp932Converter() {
    static Converter converter("CP932", "UTF-8");
    return converter.get();
}

iconv_t cp932ToUtf8Converter() {
    static Converter converter("UTF-8", "CP932");
    return converter.get();
}

// Length of the UTF-8 sequence that begins with lead.
std::size_t utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 1;
}

} // namespace

std::size_t toCp932(std::string_view utf8, char *out, std::size_t capacity) {
    if (capacity == 0) return 0;
    iconv_t cd = utf8ToCp932Converter();
    char *dst = out;
    std::size_t room = capacity - 1;
    const char *src = utf8.data();
    std::size_t left = utf8.size();
    while (left > 0 && room > 0) {
        if (cd == iconv_t(-1)) { // no converter: keep ASCII, mark the rest
            unsigned char c = static_cast<unsigned char>(*src);
            std::size_t len = utf8SequenceLength(c);
            *dst++ = c < 0x80 ? char(c) : '?';
            --room;
            src += len <= left ? len : left;
            left -= len <= left ? len : left;
            continue;
        }
        char *in = const_cast<char *>(src);
        std::size_t r = iconv(cd, &in, &left, &dst, &room);
        src = in;
        if (r != std::size_t(-1)) break;
        if (errno == E2BIG) break; // out of room: cut here, at a character boundary
        // A character cp932 lacks, or broken UTF-8: write "?" and skip it.
        std::size_t len = utf8SequenceLength(static_cast<unsigned char>(*src));
        if (len > left) len = left;
        src += len;
        left -= len;
        *dst++ = '?';
        --room;
    }
    *dst = '\0';
    return std::size_t(dst - out);
}

std::string cp932ToUtf8(std::string_view cp932) {
    std::string result;
    iconv_t cd = cp932ToUtf8Converter();
    const char *src = cp932.data();
    std::size_t left = cp932.size();
    char buffer[256];
    while (left > 0) {
        if (cd == iconv_t(-1)) {
            result.append(src, left);
            break;
        }
        char *in = const_cast<char *>(src);
        char *dst = buffer;
        std::size_t room = sizeof buffer;
        std::size_t r = iconv(cd, &in, &left, &dst, &room);
        src = in;
        result.append(buffer, std::size_t(dst - buffer));
        if (r != std::size_t(-1)) break;
        if (errno == E2BIG) continue;
        result += "\xEF\xBF\xBD"; // invalid or cut byte: U+FFFD, then go on
        ++src;
        --left;
    }
    return result;
}

#endif

} // namespace korvane
