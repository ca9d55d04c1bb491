#include "data_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

// Relative paths from the installed executable's folder, fixed when the
// program is built (GNUInstallDirs).
#ifndef ROVENA_DATA_FROM_BIN
#define ROVENA_DATA_FROM_BIN "../share/rovena"
#endif
#ifndef ROVENA_LIBRARY_FROM_BIN
#define ROVENA_LIBRARY_FROM_BIN "../lib"
#endif

namespace rovena {

namespace {

QString below(const QString &programFolder, const char *relative) {
    return QDir::cleanPath(programFolder + QLatin1Char('/') + QString::fromUtf8(relative));
}

QString joined(const QString &folder, const QString &fileName) {
    return QDir::toNativeSeparators(folder) + QDir::separator() + fileName;
}

} // namespace

QStringList dataFolders(const QString &programFolder) {
    return {programFolder, below(programFolder, ROVENA_DATA_FROM_BIN)};
}

QString findDataFile(const QString &programFolder, const QString &fileName) {
    for (const QString &folder : dataFolders(programFolder)) {
        const QString path = joined(folder, fileName);
        if (QFileInfo(path).isFile()) return path;
    }
    return joined(programFolder, fileName);
}

QString shippedDataFile(const QString &fileName) {
    return findDataFile(QCoreApplication::applicationDirPath(), fileName);
}

QStringList libraryCandidates(const QString &programFolder, const QString &fileName) {
    return {joined(programFolder, fileName), joined(below(programFolder, ROVENA_LIBRARY_FROM_BIN), fileName)};
}

} // namespace rovena
