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

std::string cp932ToUtf8(std::string_view cp932) {
    std::string result;
    for (std::size_t i = 0; i < cp932.size();) {
        // One character: a lead byte and its trail byte, or a single byte.
        const std::size_t length =
            IsDBCSLeadByteEx(kCp932, BYTE(cp932[i])) && i + 1 < cp932.size() ? 2 : 1;
        wchar_t wide[2];
        const int units =
            MultiByteToWideChar(kCp932, MB_ERR_INVALID_CHARS, cp932.data() + i, int(length), wide, 2);
        char bytes[8];
        const int n = units > 0 ? narrowOne(wide, units, CP_UTF8, bytes) : 0;
        if (n > 0 && !(length == 1 && IsDBCSLeadByteEx(kCp932, BYTE(cp932[i])))) {
            result.append(bytes, std::size_t(n));
            i += length;
        } else {
            result += "\xEF\xBF\xBD"; // invalid or cut byte: U+FFFD, then go on
            ++i;
        }
    }
    return result;
}

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
