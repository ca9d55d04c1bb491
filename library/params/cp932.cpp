#include "params/cp932.h"

#include <cstring>

#include "design/text_encoding.h"

#ifdef _WIN32
#  include <windows.h>
#else
#  include <cerrno>
#  include <iconv.h>
#endif

namespace korvane {

#ifdef _WIN32

namespace {

constexpr UINT kCp932 = 932;

// UTF-8 to UTF-16; broken UTF-8 becomes U+FFFD.
std::wstring widenUtf8(std::string_view text) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(std::size_t(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), n);
    return wide;
}

// One UTF-16 character (one or two units) as UTF-8 or as cp932, written to
// out; the length, 0 when the code page has no such character. No best-fit
// substitutes: a character cp932 lacks is not replaced by a look-alike.
int narrowOne(const wchar_t *unit, int units, UINT codePage, char (&out)[8]) {
    BOOL defaultUsed = FALSE;
    const bool cp932 = codePage == kCp932;
    const int n = WideCharToMultiByte(codePage, cp932 ? WC_NO_BEST_FIT_CHARS : 0, unit, units, out, sizeof out,
                                      nullptr, cp932 ? &defaultUsed : nullptr);
    return defaultUsed ? 0 : n;
}

} // namespace

std::size_t toCp932(std::string_view utf8, char *out, std::size_t capacity) {
    if (capacity == 0) return 0;
    const std::wstring wide = widenUtf8(utf8);
    std::size_t used = 0;
    for (std::size_t i = 0; i < wide.size();) {
        // A surrogate pair is one character.
        const int units = (wide[i] >= 0xD800 && wide[i] < 0xDC00 && i + 1 < wide.size()) ? 2 : 1;
        char bytes[8];
        int n = narrowOne(&wide[i], units, kCp932, bytes);
        if (n <= 0) {
            bytes[0] = '?'; // a character cp932 lacks
            n = 1;
        }
        if (used + std::size_t(n) > capacity - 1) break; // cut before a character that does not fit
        std::memcpy(out + used, bytes, std::size_t(n));
        used += std::size_t(n);
        i += std::size_t(units);
    }
    out[used] = '\0';
    return used;
}


#else

namespace {

// The converter to cp932, opened on first use and kept until the library is
// unloaded: the library runs on one thread and converts every element-table
// line and label it writes.
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

#endif

std::string cp932ToUtf8(std::string_view cp932) { return design_model::cp932ToUtf8(cp932); }

} // namespace korvane
