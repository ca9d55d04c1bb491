#include "world/text_lines.h"

#include <cstdio>
#include <memory>

namespace korvane {

namespace {

// A design file is a few kilobytes; anything beyond this is not one.
constexpr std::size_t kMaximumTextFile = 16 * 1024 * 1024;

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

// The character an escape of a design file's quoted value stands for (\",
// \\, \n, \r, \t); 0 for a backslash that starts no escape.
char escapedCharacter(char c) {
    switch (c) {
    case '"': return '"';
    case '\\': return '\\';
    case 'n': return '\n';
    case 'r': return '\r';
    case 't': return '\t';
    default: return 0;
    }
}

// A double-quoted value: the text between the quotes with its escapes undone.
bool unquote(std::string_view text, std::string &value) {
    value.clear();
    for (std::size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') return i + 1 == text.size();
        const char escaped = c == '\\' && i + 1 < text.size() ? escapedCharacter(text[i + 1]) : 0;
        if (escaped) ++i;
        value.push_back(escaped ? escaped : c);
    }
    return false;
}

std::size_t utf8Length(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

struct LineParser {
    std::string_view wanted;
    bool inSection = false;
    bool found = false;
};

// One line: a section header, a comment, or a key = value of the wanted section.
bool parseLine(std::string_view line, int number, LineParser &parser, std::vector<KeyValue> &entries,
               std::string &problem) {
    line = trimmed(line);
    if (line.empty() || line.front() == '#' || line.front() == ';') return true;
    if (line.front() == '[') {
        const bool closed = line.back() == ']';
        parser.inSection = closed && trimmed(line.substr(1, line.size() - 2)) == parser.wanted;
        parser.found = parser.found || parser.inSection;
        return true;
    }
    if (!parser.inSection) return true;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        problem = std::to_string(number) + "行目が「キー = 値」ではありません";
        return false;
    }
    KeyValue entry{std::string(trimmed(line.substr(0, equals))), {}, number};
    const std::string_view value = trimmed(line.substr(equals + 1));
    if (!value.empty() && value.front() == '"') {
        if (!unquote(value, entry.value)) {
            problem = std::to_string(number) + "行目の引用符が閉じていません";
            return false;
        }
    } else {
        entry.value = std::string(value);
    }
    entries.push_back(std::move(entry));
    return true;
}

} // namespace

bool readWholeFile(const char *path, std::string &content) {
    if (path == nullptr) return false;
    std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(std::fopen(path, "rb"), &std::fclose);
    if (!file) return false;
    content.clear();
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        content.append(buffer, n);
        if (content.size() > kMaximumTextFile) return false;
    }
    return std::ferror(file.get()) == 0;
}

bool isValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = utf8Length(lead);
        if (length == 0 || i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        const auto second = static_cast<unsigned char>(length > 1 ? text[i + 1] : 0);
        if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
            (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F))
            return false;
        i += length;
    }
    return true;
}

bool sectionEntries(std::string_view content, std::string_view section,
                    std::vector<KeyValue> &entries, std::string &problem) {
    if (content.substr(0, 3) == "\xEF\xBB\xBF") content.remove_prefix(3);
    LineParser parser{section};
    int number = 0;
    while (!content.empty()) {
        const std::size_t end = content.find('\n');
        const std::string_view line = content.substr(0, end);
        content = end == std::string_view::npos ? std::string_view() : content.substr(end + 1);
        if (!parseLine(line, ++number, parser, entries, problem)) return false;
    }
    if (!parser.found) problem = "[" + std::string(section) + "] がありません";
    return parser.found;
}

std::string asciiNumberText(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead == 0xEF && i + 2 < text.size()) {
            // U+FF01..U+FF5E (EF BC 81..EF BD 9E) map onto ASCII 0x21..0x7E.
            const unsigned code = ((lead & 0x0Fu) << 12) | ((static_cast<unsigned char>(text[i + 1]) & 0x3Fu) << 6) |
                                  (static_cast<unsigned char>(text[i + 2]) & 0x3Fu);
            if (code >= 0xFF01 && code <= 0xFF5E) {
                out.push_back(static_cast<char>(code - 0xFF01 + 0x21));
                i += 3;
                continue;
            }
        }
        if (text.substr(i, 3) == "\xE3\x80\x80") { // ideographic space
            out.push_back(' ');
            i += 3;
            continue;
        }
        if (text.substr(i, 3) == "\xE2\x88\x92") { // minus sign
            out.push_back('-');
            i += 3;
            continue;
        }
        out.push_back(text[i++]);
    }
    return out;
}

} // namespace korvane
