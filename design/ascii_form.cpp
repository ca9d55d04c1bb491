#include "design/ascii_form.h"

namespace design_model {

namespace {

// The ASCII character for the three-byte UTF-8 sequence at text[i], or 0.
char asciiFor(std::string_view text, std::size_t i) {
    if (i + 3 > text.size()) return 0;
    const std::string_view c = text.substr(i, 3);
    if (c[0] == '\xEF' && c[1] == '\xBC') {
        const auto last = static_cast<unsigned char>(c[2]);
        if (last >= 0x90 && last <= 0x99) return static_cast<char>('0' + (last - 0x90)); // ０..９
        if (last == 0x8E) return '.';                                                    // ．
        if (last == 0x8D) return '-';                                                    // －
        if (last == 0x8B) return '+';                                                    // ＋
        return 0;
    }
    if (c == "\xE2\x88\x92") return '-'; // − minus sign
    if (c == "\xE3\x80\x80") return ' '; // ideographic space
    return 0;
}

} // namespace

std::string asciiForm(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (const char ascii = asciiFor(text, i)) {
            out.push_back(ascii);
            i += 3;
        } else {
            out.push_back(text[i++]);
        }
    }
    return out;
}

} // namespace design_model
