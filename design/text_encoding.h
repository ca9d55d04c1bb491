// Conversion between UTF-8 and the 8-bit texts of the library and of
// drawings: cp932 (Windows-31J) above all. iconv converts where the platform
// has it; on Windows, which has no iconv, the system's code-page functions
// do ("CP932" is code page 932).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace design_model {

// The UTF-8 text of bytes in the character set charset, named as iconv names
// it ("CP932", "CP1252"); a byte sequence that cannot be decoded becomes
// U+FFFD and decoding goes on after its first byte. Nothing when the
// platform lacks the character set.
std::optional<std::string> decodeToUtf8(std::string_view bytes, const char *charset);

// cp932 bytes as UTF-8 (invalid sequences become U+FFFD); the bytes as they
// are when the platform cannot convert.
std::string cp932ToUtf8(std::string_view bytes);

// Text in the system's code page, as the library's exports take their
// strings and as parameter files are written: UTF-8 on Linux, where nothing
// needs converting; the ANSI code page on Windows (cp932 on Japanese
// systems). Characters the code page lacks become "?".
std::string systemTextToUtf8(std::string_view bytes);
std::string utf8ToSystemText(std::string_view text);

} // namespace design_model
