// Where Rovena finds the files it ships. In the build folder (or a folder
// copied as a whole) they lie beside the executable; an installation puts
// the data files in ../share/rovena and the library in ../lib/<arch>,
// relative to the executable, whatever the prefix.
#pragma once

#include <QString>
#include <QStringList>

namespace rovena {

// The folders that may hold the shipped data files of a program whose
// executable lies in programFolder, in the order they are searched.
QStringList dataFolders(const QString &programFolder);

// The first of the data folders that holds fileName; the path beside the
// executable when none does, so a missing file is reported where it was
// expected first.
QString findDataFile(const QString &programFolder, const QString &fileName);

// findDataFile for the running executable.
QString shippedDataFile(const QString &fileName);

// The paths at which the library fileName is tried, in order: beside the
// executable, then the installation's library folder.
QStringList libraryCandidates(const QString &programFolder, const QString &fileName);

} // namespace rovena
