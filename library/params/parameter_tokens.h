// Reading the tokens of the parameter file one conversion at a time, with the
// rules of formatted input: leading white space is skipped, a read that fails
// leaves its destination unchanged, and nothing is ever written past a field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>

namespace korvane {

// One number as "%le" reads it. True when a value was stored.
bool readNumber(std::FILE *file, double &value);

// One integer as "%i" reads it (0x hexadecimal, leading 0 octal), clamped
// into the 32-bit range. True when a value was stored.
bool readInteger(std::FILE *file, std::int32_t &value);

// One word as "%s" reads it. The whole word is consumed; what does not fit the
// field (NUL included) is dropped, cut at a cp932 character boundary. False at
// the end of the file, leaving the field unchanged.
bool readWord(std::FILE *file, std::span<char> field);

} // namespace korvane
