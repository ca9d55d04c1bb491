// Texts of "key = value" lines in "[section]"s, as design files and the files
// that take their shape are written (UTF-8, LF or CR LF line ends, an
// optional byte-order mark):
//   - a blank line, or one whose first non-blank character is "#" or ";", is
//     a comment;
//   - "[name]" begins the section name (blanks inside the brackets removed);
//   - "key = value": the key is what stands before the first "=", the value
//     what follows it, both without the blanks around them. A value that
//     begins with a double quote ends with one, and within it \" \\ \n \r \t
//     stand for their characters; quotedValue writes such values.
// Readers decide what a section means and what to do with a line that is
// none of these.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace design_model {

enum class LineKind { Comment, Section, Entry };

// Why a line is none of the three kinds.
enum class LineFault { None, NotKeyValue, SectionNotClosed, QuoteNotClosed, TextAfterQuote, UnknownEscape };

struct KeyValueLine {
    LineKind kind = LineKind::Comment;
    std::string name;  // the section's name, or the key
    std::string value; // the value, unquoted
    LineFault fault = LineFault::None;
};

// Reads one line (without its line end).
KeyValueLine parseKeyValueLine(std::string_view line);

// The reason for a fault as a reader tells the user, in Japanese.
std::string lineFaultText(LineFault fault);

// value as it stands in a file: as it is, or in double quotes with escapes
// when it begins or ends with white space, begins with a double quote or
// holds a control character.
std::string quotedValue(std::string_view value);

struct KeyValueEntry {
    std::string key;
    std::string value;
    int line = 0; // 1-based
};

// One line of a section as read: its number, its text and what it is.
struct SectionLine {
    int number = 0;
    std::string text; // without its line end
    KeyValueLine parsed;
};

struct KeyValueSection {
    std::string name; // "" for the lines before the first header
    int line = 0;     // of the header
    std::vector<SectionLine> lines;

    // The key = value lines, in order.
    std::vector<KeyValueEntry> entries() const;
    // The first line that is none of the three kinds; null when there is none.
    const SectionLine *firstFault() const;
};

// The sections of text in order, every line kept. A byte-order mark at the
// start of a line is skipped; a CR at its end belongs to its line end.
std::vector<KeyValueSection> readKeyValueText(std::string_view text);

// Whether the first line of text that is no comment is a section header, as
// in a design file and unlike a bare parameter file.
bool beginsWithSection(std::string_view text);

} // namespace design_model
