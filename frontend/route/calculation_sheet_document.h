// The route's calculation sheet (線形計算書) as the library gives it in
// JSON: a title and sections of tables, every cell a finished text. The
// texts are taken as they stand; nothing is computed or formatted again here.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace rovena::route {

enum class CellAlignment { left, right };

struct SheetColumn {
    QString title;
    CellAlignment alignment = CellAlignment::left;
};

struct SheetTable {
    QString caption;  // may be empty
    std::vector<SheetColumn> columns;
    std::vector<QStringList> rows;  // each as many cells as there are columns
};

struct SheetSection {
    QString heading;
    std::vector<SheetTable> tables;
};

struct CalculationSheetDocument {
    QString title;
    std::vector<SheetSection> sections;
};

// Reads the sheet from the library's JSON. A text that is not such a sheet
// gives none, with the reason in error (in Japanese). A row shorter than
// its columns is filled with empty cells; a longer one is refused, as its
// extra cells would be lost.
std::optional<CalculationSheetDocument> readCalculationSheet(const QByteArray &json, QString *error);

// The same, from a file.
std::optional<CalculationSheetDocument> readCalculationSheetFile(const QString &path, QString *error);

// The route's name as the sheet's conditions give it (the row 路線名 of the
// first section's first table); empty when the route has none.
QString routeNameOf(const CalculationSheetDocument &sheet);

}  // namespace rovena::route
