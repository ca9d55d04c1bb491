#include "design/utf8_text.h"

namespace design_model {

namespace {

// Length of the sequence that lead begins; 0 for a byte no sequence begins with.
std::size_t sequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The character whose sequence begins at text[0] (well-formed text).
char32_t decodeAt(std::string_view text, std::size_t &length) {
    const auto lead = static_cast<unsigned char>(text[0]);
    length = sequenceLength(lead);
    if (length <= 1 || length > text.size()) {
        length = 1;
        return lead;
    }
    char32_t c = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) c = (c << 6) | (static_cast<unsigned char>(text[k]) & 0x3F);
    return c;
}

} // namespace

bool isValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = sequenceLength(lead);
        if (length == 0 || i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k)
            if (!isContinuation(text[i + k])) return false;
        const auto second = static_cast<unsigned char>(length > 1 ? text[i + 1] : 0);
        if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) || (lead == 0xF0 && second < 0x90) ||
            (lead == 0xF4 && second > 0x8F))
            return false;
        i += length;
    }
    return true;
}

std::string_view withoutByteOrderMark(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    return text;
}

bool isSpaceCharacter(char32_t c) {
    if (c == 0x20 || (c >= 0x09 && c <= 0x0D) || c == 0x85 || c == 0xA0) return true;
    return c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

char32_t firstCharacter(std::string_view text) {
    std::size_t length = 0;
    return text.empty() ? 0 : decodeAt(text, length);
}

char32_t lastCharacter(std::string_view text) {
    if (text.empty()) return 0;
    std::size_t start = text.size() - 1;
    while (start > 0 && isContinuation(text[start]) && text.size() - start < 4) --start;
    std::size_t length = 0;
    const char32_t c = decodeAt(text.substr(start), length);
    return start + length == text.size() ? c : static_cast<unsigned char>(text.back());
}

bool isAllSpace(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = 0;
        if (!isSpaceCharacter(decodeAt(text.substr(i), length))) return false;
        i += length;
    }
    return true;
}

bool hasControlCharacter(std::string_view text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
    return false;
}

std::string_view trimmedBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

std::string_view leadingUnits(std::string_view text, std::size_t units, bool &cut) {
    std::size_t used = 0;
    std::size_t end = 0;
    while (end < text.size()) {
        std::size_t length = 0;
        const std::size_t needed = decodeAt(text.substr(end), length) > 0xFFFF ? 2 : 1;
        if (used + needed > units) break;
        used += needed;
        end += length;
    }
    cut = end < text.size();
    return text.substr(0, end);
}

std::string replacedAll(std::string_view text, std::string_view what, std::string_view with) {
    std::string out;
    if (what.empty()) return out.append(text);
    for (std::size_t start = 0;;) {
        const std::size_t at = text.find(what, start);
        if (at == std::string_view::npos) return out.append(text.substr(start));
        out.append(text.substr(start, at - start)).append(with);
        start = at + what.size();
    }
}

} // namespace design_model
