// Conversion between the UTF-8 of our sources and the cp932 (Windows-31J)
// bytes that the library shows and writes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace korvane {

// Converts UTF-8 text to cp932 into out (capacity bytes, NUL included).
// Returns the number of bytes written without the NUL; text that does not fit
// is cut at a character boundary. Characters cp932 lacks become "?".
std::size_t toCp932(std::string_view utf8, char *out, std::size_t capacity);

// Converts cp932 text to UTF-8; bytes that are not valid cp932 become U+FFFD
// (the design model's conversion, which Rovena uses too).
std::string cp932ToUtf8(std::string_view cp932);

} // namespace korvane
