// The Rovena design file: the texts of the form as UTF-8 "key = value" lines
// in sections, for a person to read and diff. Values are kept exactly as
// typed; the [placement] section (the curve placed in the world) is read by
// other modules and carried through here unchanged.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "parameter_serialiser.h"

namespace rovena {

// The newest format this program reads and the one it writes.
constexpr int kDesignFormat = 1;

struct DesignDocument {
    DesignTexts texts;
    QStringList placement; // the lines of [placement] as read, without the header

    bool operator==(const DesignDocument &) const = default;
};

// The texts データ  クリア gives; a key left out of a file takes its value
// from these.
DesignTexts clearedDesignTexts();

// The file's bytes: the header comment, [design] and, when there is one,
// [placement].
QByteArray designFileBytes(const DesignDocument &document);

// Reads the bytes of a design file. On failure error says what and on which
// line, and document is left as it was.
bool readDesignFile(const QByteArray &bytes, DesignDocument &document, QString &error);

} // namespace rovena
