// Decoding of 8-bit text (the cp932 of the library's messages and of the
// drawings' texts) to UTF-8 through iconv: Qt's own Shift_JIS codec may be
// missing without ICU and maps some characters differently.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rovena {

// The UTF-8 text of bytes in the iconv character set charset ("CP932"); a
// byte sequence that cannot be decoded becomes U+FFFD and decoding goes on
// after its first byte. Nothing when the platform lacks the character set.
std::optional<std::string> decodeToUtf8(std::string_view bytes, const char *charset);

} // namespace rovena
