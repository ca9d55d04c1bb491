#include "cp932_text.h"

#include <iconv.h>

#include <cerrno>
#include <string>

namespace rovena {

namespace {

// An iconv conversion descriptor released when it leaves scope.
class Converter {
public:
    Converter() : cd_(iconv_open("UTF-8", "CP932")) {}
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

QString fromCp932(const QByteArray &bytes) {
    Converter converter;
    if (!converter.ok()) return QString::fromLatin1(bytes);

    std::string utf8;
    QByteArray input = bytes;
    char *in = input.data();
    size_t inLeft = static_cast<size_t>(input.size());
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
    }
    return QString::fromStdString(utf8);
}

} // namespace rovena
