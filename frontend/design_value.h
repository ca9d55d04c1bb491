// One line of a design file: a comment or blank line, a "[section]" header,
// or "key = value". A value that would not survive the trimming of blanks is
// written in double quotes with backslash escapes.
#pragma once

#include <QString>

namespace rovena {

// value as it stands in a file: as it is, or quoted when it begins or ends
// with white space, begins with a double quote or holds a control character.
QString designValueText(const QString &value);

struct DesignLine {
    enum class Kind { Comment, Section, Entry } kind = Kind::Comment;
    QString name;  // the section's name, or the key
    QString value; // the value, unquoted
};

// Reads one line (without its line end). Returns false with error set for a
// line that is none of the three kinds or whose quoted value is malformed.
bool parseDesignLine(const QString &line, DesignLine &parsed, QString &error);

} // namespace rovena
