#include "design/text_encoding.h"

#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#  include <windows.h>
#else
#  include <cerrno>
#  include <iconv.h>
#endif

namespace design_model {

namespace {

constexpr const char *kReplacement = "\xEF\xBF\xBD"; // U+FFFD

bool isAscii(std::string_view text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

#ifdef _WIN32

// The code page of a charset named "CPnnn"; 0 for any other name.
UINT codePageOf(const char *charset) {
    if ((charset[0] != 'C' && charset[0] != 'c') || (charset[1] != 'P' && charset[1] != 'p')) return 0;
    char *end = nullptr;
    const unsigned long page = std::strtoul(charset + 2, &end, 10);
    return end != charset + 2 && *end == '\0' && IsValidCodePage(UINT(page)) ? UINT(page) : 0;
}

// One UTF-16 character (one or two units) as UTF-8 or in a code page.
int narrowOne(const wchar_t *unit, int units, UINT codePage, char (&out)[8]) {
    BOOL defaultUsed = FALSE;
    const bool utf8 = codePage == CP_UTF8;
    const int n = WideCharToMultiByte(codePage, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, unit, units, out, sizeof out,
                                      nullptr, utf8 ? nullptr : &defaultUsed);
    return defaultUsed ? 0 : n;
}

std::string decode(std::string_view bytes, UINT codePage) {
    std::string result;
    for (std::size_t i = 0; i < bytes.size();) {
        // One character: a lead byte and its trail byte, or a single byte.
        const bool lead = IsDBCSLeadByteEx(codePage, BYTE(bytes[i]));
        const std::size_t length = lead && i + 1 < bytes.size() ? 2 : 1;
        wchar_t wide[2];
        const int units = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data() + i, int(length), wide, 2);
        char out[8];
        const int n = units > 0 && !(length == 1 && lead) ? narrowOne(wide, units, CP_UTF8, out) : 0;
        if (n > 0) {
            result.append(out, std::size_t(n));
            i += length;
        } else {
            result += kReplacement;
            ++i;
        }
    }
    return result;
}

std::string encode(std::string_view text, UINT codePage) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(std::size_t(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), n);
    std::string result;
    for (std::size_t i = 0; i < wide.size();) {
        const int units = wide[i] >= 0xD800 && wide[i] < 0xDC00 && i + 1 < wide.size() ? 2 : 1;
        char out[8];
        const int bytes = narrowOne(&wide[i], units, codePage, out);
        if (bytes > 0) result.append(out, std::size_t(bytes));
        else result += '?';
        i += std::size_t(units);
    }
    return result;
}

#else

// An iconv conversion descriptor released when it leaves scope.
class Converter {
public:
    Converter(const char *to, const char *from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) iconv_close(cd_);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

// Converts all of bytes to UTF-8; a byte that cannot be converted becomes
// U+FFFD and conversion goes on after it.
std::string convert(Converter &converter, std::string_view bytes) {
    std::string result;
    char *in = const_cast<char *>(bytes.data());
    std::size_t inLeft = bytes.size();
    char buffer[256];
    while (inLeft > 0) {
        char *out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t r = iconv(converter.get(), &in, &inLeft, &out, &outLeft);
        result.append(buffer, std::size_t(out - buffer));
        if (r != std::size_t(-1) || errno == E2BIG) continue;
        result += kReplacement;
        ++in;
        --inLeft;
        iconv(converter.get(), nullptr, nullptr, nullptr, nullptr);
    }
    return result;
}

#endif

} // namespace

std::optional<std::string> decodeToUtf8(std::string_view bytes, const char *charset) {
#ifdef _WIN32
    const UINT codePage = codePageOf(charset);
    if (codePage == 0) return std::nullopt;
    return decode(bytes, codePage);
#else
    Converter converter("UTF-8", charset);
    if (!converter.ok()) return std::nullopt;
    return convert(converter, bytes);
#endif
}

std::string cp932ToUtf8(std::string_view bytes) {
    if (isAscii(bytes)) return std::string(bytes);
    std::optional<std::string> text = decodeToUtf8(bytes, "CP932");
    return text ? *text : std::string(bytes);
}

std::string systemTextToUtf8(std::string_view bytes) {
#ifdef _WIN32
    if (!isAscii(bytes)) return decode(bytes, GetACP());
#endif
    return std::string(bytes);
}

std::string utf8ToSystemText(std::string_view text) {
#ifdef _WIN32
    if (!isAscii(text)) return encode(text, GetACP());
#endif
    return std::string(text);
}

} // namespace design_model
