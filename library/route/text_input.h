// Reading the texts a route is given in: whole files with a bound on their
// size, UTF-8 or cp932 told apart, and numbers as a user types them, by the
// rules of the design model (design/) wherever it has one.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace korvane::route {

// IP tables and route files are small; LandXML files may be large.
constexpr std::size_t kLargestInputFile = 100 * 1024 * 1024;

// Reads the whole file (path in the file-system encoding). False with a
// Japanese reason when it cannot be opened or read or is larger than limit.
bool readInputFile(const char *path, std::size_t limit, std::string &content, std::string &problem);

// Text as UTF-8: without a byte-order mark, UTF-8 as it is, anything else
// read as cp932. False when it is neither (a byte that is no cp932 either).
bool utf8FromEither(std::string_view bytes, std::string &utf8);

// Whether text is well-formed UTF-8.
bool isUtf8(std::string_view text);

// A number written in decimals: an optional sign, digits with at most one
// point, nothing else (no exponent, no "0x", no "inf" or "nan"); blanks
// around it and full-width digits, point and signs are accepted. Nothing
// when the text is not such a number.
std::optional<double> decimalValue(std::string_view text);

// Full-width digits, signs, point and blanks (as a Japanese input method
// types them) as their ASCII forms; other characters unchanged.
std::string asciiForm(std::string_view text);

// The text without blanks (space, tab) at either end.
std::string_view trimmedText(std::string_view text);

// A text as the messages quote what was found: 「text」.
inline std::string quotedText(std::string_view text) { return "「" + std::string(text) + "」"; }

// Whether text holds a control character (a line break among them).
bool hasControlCharacter(std::string_view text);

} // namespace korvane::route
