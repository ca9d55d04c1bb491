// A bare parameter file (the 22-line layout the form writes for the library)
// read back into the texts of the form. Like the library's reader it reads
// white-space separated tokens in a fixed order, so the form shows what the
// library would draw from the file.
#pragma once

#include <QByteArray>
#include <QString>

#include "parameter_serialiser.h"

namespace rovena {

// Reads the file's bytes (8-bit text in the system code page). Lane rows
// beyond those in the file, and an interval list of the single "0.0", take
// the texts データ  クリア gives. On failure error says what is wrong.
bool readParameterFileTexts(const QByteArray &bytes, DesignTexts &design, QString &error);

} // namespace rovena
