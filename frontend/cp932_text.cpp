#include "cp932_text.h"

#include "text_decoding.h"

namespace rovena {

QString fromCp932(const QByteArray &bytes) {
    const auto utf8 = decodeToUtf8(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), "CP932");
    return utf8 ? QString::fromStdString(*utf8) : QString::fromLatin1(bytes);
}

} // namespace rovena
