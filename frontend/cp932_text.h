// Decoding of the library's messages, which arrive as cp932 (Windows-31J)
// bytes (decoded through iconv, see text_decoding.h).
#pragma once

#include <QByteArray>
#include <QString>

namespace rovena {

// The text of cp932 bytes; a byte sequence that cannot be decoded becomes
// U+FFFD and decoding goes on after it.
QString fromCp932(const QByteArray &bytes);

} // namespace rovena
