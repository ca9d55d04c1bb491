#include "design/key_value_text.h"

#include "design/utf8_text.h"

namespace design_model {

namespace {

// The character an escape "\c" stands for; 0 for an unknown one.
char unescaped(char c) {
    switch (c) {
    case '"': return '"';
    case '\\': return '\\';
    case 'n': return '\n';
    case 'r': return '\r';
    case 't': return '\t';
    default: return 0;
    }
}

const char *escaped(char c) {
    switch (c) {
    case '"': return "\\\"";
    case '\\': return "\\\\";
    case '\n': return "\\n";
    case '\r': return "\\r";
    case '\t': return "\\t";
    default: return nullptr;
    }
}

bool needsQuotes(std::string_view value) {
    if (value.empty()) return false;
    if (isSpaceCharacter(firstCharacter(value)) || isSpaceCharacter(lastCharacter(value)) || value.front() == '"')
        return true;
    return hasControlCharacter(value);
}

// The text between the quotes of a quoted value, its escapes undone.
LineFault unquote(std::string_view text, std::string &value) {
    value.clear();
    for (std::size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') return i + 1 == text.size() ? LineFault::None : LineFault::TextAfterQuote;
        if (c != '\\') {
            value.push_back(c);
            continue;
        }
        const char e = i + 1 < text.size() ? unescaped(text[i + 1]) : 0;
        if (e == 0) return LineFault::UnknownEscape;
        value.push_back(e);
        ++i;
    }
    return LineFault::QuoteNotClosed;
}

KeyValueLine faulty(LineFault fault) {
    KeyValueLine line;
    line.fault = fault;
    return line;
}

// Calls visit with every line of text and its 1-based number, a CR at its
// end removed with the line end and a byte-order mark at its start skipped
// (as when files were joined).
template <typename Visit> void forEachLine(std::string_view text, Visit visit) {
    for (int number = 1;; ++number) {
        const std::size_t end = text.find('\n');
        std::string_view line = withoutByteOrderMark(text.substr(0, end));
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!visit(number, line) || end == std::string_view::npos) return;
        text.remove_prefix(end + 1);
    }
}

} // namespace

KeyValueLine parseKeyValueLine(std::string_view line) {
    const std::string_view text = trimmedBlanks(line);
    KeyValueLine parsed;
    if (text.empty() || text.front() == '#' || text.front() == ';') return parsed;
    if (text.front() == '[') {
        if (text.back() != ']' || text.size() < 2) return faulty(LineFault::SectionNotClosed);
        parsed.kind = LineKind::Section;
        parsed.name = trimmedBlanks(text.substr(1, text.size() - 2));
        return parsed;
    }
    const std::size_t equals = text.find('=');
    if (equals == 0 || equals == std::string_view::npos) return faulty(LineFault::NotKeyValue);
    parsed.kind = LineKind::Entry;
    parsed.name = trimmedBlanks(text.substr(0, equals));
    const std::string_view value = trimmedBlanks(text.substr(equals + 1));
    if (value.empty() || value.front() != '"') {
        parsed.value = value;
        return parsed;
    }
    parsed.fault = unquote(value, parsed.value);
    if (parsed.fault != LineFault::None) return faulty(parsed.fault);
    return parsed;
}

std::string lineFaultText(LineFault fault) {
    switch (fault) {
    case LineFault::None: return {};
    case LineFault::NotKeyValue: return "「キー = 値」の形ではありません。";
    case LineFault::SectionNotClosed: return "節の見出しが ] で終わっていません。";
    case LineFault::QuoteNotClosed: return "引用符で始まる値が閉じていません。";
    case LineFault::TextAfterQuote: return "閉じる引用符の後に余分な文字があります。";
    case LineFault::UnknownEscape: return "引用符の中に使えない \\ があります (使えるのは \\\" \\\\ \\n \\r \\t)。";
    }
    return {};
}

std::string quotedValue(std::string_view value) {
    if (!needsQuotes(value)) return std::string(value);
    std::string quoted = "\"";
    for (const char c : value) {
        if (const char *e = escaped(c)) quoted += e;
        else quoted += c;
    }
    return quoted + "\"";
}

std::vector<KeyValueEntry> KeyValueSection::entries() const {
    std::vector<KeyValueEntry> out;
    for (const SectionLine &l : lines)
        if (l.parsed.kind == LineKind::Entry && l.parsed.fault == LineFault::None)
            out.push_back({l.parsed.name, l.parsed.value, l.number});
    return out;
}

const SectionLine *KeyValueSection::firstFault() const {
    for (const SectionLine &l : lines)
        if (l.parsed.fault != LineFault::None) return &l;
    return nullptr;
}

std::vector<KeyValueSection> readKeyValueText(std::string_view text) {
    std::vector<KeyValueSection> sections(1);
    forEachLine(text, [&](int number, std::string_view line) {
        KeyValueLine parsed = parseKeyValueLine(line);
        if (parsed.kind == LineKind::Section && parsed.fault == LineFault::None)
            sections.push_back({std::move(parsed.name), number, {}});
        else
            sections.back().lines.push_back({number, std::string(line), std::move(parsed)});
        return true;
    });
    return sections;
}

bool beginsWithSection(std::string_view text) {
    bool section = false;
    forEachLine(text, [&](int, std::string_view line) {
        const KeyValueLine parsed = parseKeyValueLine(line);
        if (parsed.kind == LineKind::Comment && parsed.fault == LineFault::None) return true;
        section = !trimmedBlanks(line).empty() && trimmedBlanks(line).front() == '[';
        return false;
    });
    return section;
}

} // namespace design_model
