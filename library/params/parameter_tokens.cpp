#include "params/parameter_tokens.h"

#include <limits>

namespace korvane {

namespace {

bool isWhiteSpace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// First byte of a two-byte cp932 character.
bool isLeadByte(int c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

} // namespace

bool readNumber(std::FILE *file, double &value) {
    double read = 0.0;
    if (std::fscanf(file, "%le", &read) != 1) return false;
    value = read;
    return true;
}

bool readInteger(std::FILE *file, std::int32_t &value) {
    // Read wider than the field, so that a long number cannot overflow it.
    long long read = 0;
    if (std::fscanf(file, "%lli", &read) != 1) return false;
    constexpr long long lowest = std::numeric_limits<std::int32_t>::min();
    constexpr long long highest = std::numeric_limits<std::int32_t>::max();
    value = static_cast<std::int32_t>(read < lowest ? lowest : read > highest ? highest : read);
    return true;
}

bool readWord(std::FILE *file, std::span<char> field) {
    if (field.empty()) return false;
    int c = std::getc(file);
    while (isWhiteSpace(c)) c = std::getc(file);
    if (c == EOF) return false;

    const std::size_t room = field.size() - 1; // bytes before the NUL
    std::size_t stored = 0;
    bool full = false;        // the field took all it can; the rest is skipped
    bool trailExpected = false;
    for (; c != EOF && !isWhiteSpace(c); c = std::getc(file)) {
        if (trailExpected) { // second byte of a character whose lead was stored
            field[stored++] = static_cast<char>(c);
            trailExpected = false;
        } else if (full) {
            continue;
        } else if (isLeadByte(c)) {
            if (stored + 2 <= room) {
                field[stored++] = static_cast<char>(c);
                trailExpected = true;
            } else {
                full = true;
            }
        } else if (stored < room) {
            field[stored++] = static_cast<char>(c);
        } else {
            full = true;
        }
    }
    if (c != EOF) std::ungetc(c, file); // the white space stays for the next read
    field[stored] = '\0';
    return true;
}

} // namespace korvane
