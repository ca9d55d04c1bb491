#include "calculation_sheet_source.h"

#include <QFile>
#include <QTemporaryDir>

#include "library_binding.h"

namespace rovena::route {

namespace {

constexpr int jsonFormat = 2;

}  // namespace

std::optional<CalculationSheetDocument> computeCalculationSheet(LibraryBinding &library, const QString &routePath,
                                                                QString *error) {
    if (error) error->clear();
    const QTemporaryDir folder;
    if (!folder.isValid()) {
        if (error) *error = QStringLiteral("一時フォルダーを作れません（%1）。").arg(folder.errorString());
        return std::nullopt;
    }
    const QString json = folder.filePath(QStringLiteral("sheet.json"));
    if (!library.korvane_route_report(QFile::encodeName(routePath), QFile::encodeName(json), jsonFormat))
        return std::nullopt;
    return readCalculationSheetFile(json, error);
}

}  // namespace rovena::route
