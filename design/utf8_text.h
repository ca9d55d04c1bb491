// Small routines over UTF-8 text that the design's readers and writers share.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace design_model {

// Whether text is well-formed UTF-8 (no overlong forms, surrogates or code
// points beyond U+10FFFF).
bool isValidUtf8(std::string_view text);

// The text without a leading UTF-8 byte-order mark.
std::string_view withoutByteOrderMark(std::string_view text);

// White space as a text box judges it: the ASCII blanks and line ends, NEL,
// and the Unicode space, line and paragraph separators (U+3000 among them).
bool isSpaceCharacter(char32_t c);

// The first and the last character of well-formed text; 0 for empty text.
char32_t firstCharacter(std::string_view text);
char32_t lastCharacter(std::string_view text);

// Whether every character of text is white space (true for empty text).
bool isAllSpace(std::string_view text);

// Whether text holds a control character (a line break among them, or DEL).
bool hasControlCharacter(std::string_view text);

// The text without the blanks (space, tab) at either end.
std::string_view trimmedBlanks(std::string_view text);

// The longest start of text that holds at most units UTF-16 code units and
// ends on a character boundary; whether it is shorter than text in full.
std::string_view leadingUnits(std::string_view text, std::size_t units, bool &cut);

// Every occurrence of what in text replaced by with.
std::string replacedAll(std::string_view text, std::string_view what, std::string_view with);

} // namespace design_model
