#include "route/key_value_sections.h"

#include "route/text_input.h"

namespace korvane::route {

namespace {

// The character an escape stands for; 0 for a backslash that starts none.
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

bool unquoted(std::string_view text, std::string &value) {
    value.clear();
    for (std::size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') return i + 1 == text.size();
        if (c != '\\') {
            value.push_back(c);
            continue;
        }
        const char escaped = i + 1 < text.size() ? escapedCharacter(text[i + 1]) : 0;
        if (escaped == 0) return false;
        value.push_back(escaped);
        ++i;
    }
    return false;
}

bool readLine(std::string_view line, int number, std::vector<KeyValueSection> &sections, std::string &problem) {
    line = trimmedText(line);
    if (line.empty() || line.front() == '#' || line.front() == ';') return true;
    const std::string where = std::to_string(number) + "行目";
    if (line.front() == '[') {
        if (line.back() != ']') {
            problem = where + ": 節の見出しが ] で閉じていません。";
            return false;
        }
        sections.push_back(KeyValueSection{std::string(trimmedText(line.substr(1, line.size() - 2))), number, {}});
        return true;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        problem = where + "が「キー = 値」ではありません。";
        return false;
    }
    KeyValueEntry entry{std::string(trimmedText(line.substr(0, equals))), {}, number};
    const std::string_view value = trimmedText(line.substr(equals + 1));
    if (!value.empty() && value.front() == '"') {
        if (!unquoted(value, entry.value)) {
            problem = where + ": 引用符で囲んだ値が正しく閉じていません。";
            return false;
        }
    } else {
        entry.value = std::string(value);
    }
    sections.back().entries.push_back(std::move(entry));
    return true;
}

} // namespace

bool readKeyValueSections(std::string_view text, std::vector<KeyValueSection> &sections, std::string &problem) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    sections.assign(1, KeyValueSection{});
    int number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!readLine(line, ++number, sections, problem)) return false;
    }
    return true;
}

std::string quotedValue(std::string_view value) {
    const auto space = [](char c) { return c == ' ' || c == '\t'; };
    const bool plain = value.empty() || (!space(value.front()) && !space(value.back()) && value.front() != '"' &&
                                         !hasControlCharacter(value));
    if (plain) return std::string(value);
    std::string out = "\"";
    for (const char c : value) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default: out.push_back(c);
        }
    }
    return out + "\"";
}

} // namespace korvane::route
