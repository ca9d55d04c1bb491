#include "text_decoding.h"

#include <iconv.h>

#include <cerrno>

namespace rovena {

namespace {

// An iconv conversion descriptor released when it leaves scope.
class Converter {
public:
    explicit Converter(const char *charset) : cd_(iconv_open("UTF-8", charset)) {}
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

} // namespace

std::optional<std::string> decodeToUtf8(std::string_view bytes, const char *charset) {
    Converter converter(charset);
    if (!converter.ok()) return std::nullopt;

    std::string utf8;
    char *in = const_cast<char *>(bytes.data());
    size_t inLeft = bytes.size();
    char buffer[256];
    while (inLeft > 0) {
        char *out = buffer;
        size_t outLeft = sizeof buffer;
        const size_t result = iconv(converter.get(), &in, &inLeft, &out, &outLeft);
        utf8.append(buffer, static_cast<size_t>(out - buffer));
        if (result != static_cast<size_t>(-1) || errno == E2BIG) continue;
        // An invalid or truncated sequence: mark it and go on with the next byte.
        utf8 += "\xEF\xBF\xBD";
        ++in;
        --inLeft;
        iconv(converter.get(), nullptr, nullptr, nullptr, nullptr);
    }
    return utf8;
}

} // namespace rovena
