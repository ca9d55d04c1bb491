// The calculation sheet laid out on pages, as a pure function of the
// sheet, the page and the measures of the fonts, so that the pages can be
// checked without printing. Everything is in millimetres from the paper's
// top left corner.
//
// The rules: every page has the header (title and route name) above its
// body and the page number "n / N" below it; a section begins with its
// heading, each table with its caption (if it has one) and its column
// titles; a line is never cut, and every line lies wholly within the body;
// a table that goes on to another page starts that page with a line naming
// it (its caption, or without one its section's heading, marked （続き）)
// and its column titles again; a heading or a table's titles never stand
// at the foot of a page without the first rows of the table (a table that
// has not room for its titles and its first rows starts on the next page);
// columns are as wide as their widest cell, two columns a gap apart; a
// table (or a heading or caption) wider than the body is scaled down to fit
// it, never cut.
#pragma once

#include <QMarginsF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <functional>
#include <vector>

#include "calculation_sheet_document.h"

namespace rovena::route {

// The paper and where on it the header, the body and the footer go.
struct PageFrame {
    QSizeF paper{210.0, 297.0};  // A4 portrait
    QMarginsF margins{15.0, 12.0, 15.0, 12.0};
    double headerHeight = 11.0;  // above the body: title, route name and a rule
    double footerHeight = 8.0;   // below the body: the page number

    QRectF body() const;
    QRectF header() const;
    QRectF footer() const;
};

// The measures the pages are laid out with: heights of the lines, gaps,
// and the width of a text in each font at full size.
struct SheetMetrics {
    double headingHeight = 0;  // a section heading's line
    double captionHeight = 0;  // a table caption's line
    double rowHeight = 0;      // a row, and the column titles
    double columnGap = 0;      // between two columns
    double tableIndent = 0;    // tables and captions stand in from the body's left
    double sectionGap = 0;     // above a heading, unless at the top of a page
    double tableGap = 0;       // above a table that follows another one
    std::function<double(const QString &)> headingWidth;
    std::function<double(const QString &)> captionWidth;
    std::function<double(const QString &)> cellWidth;
};

// A table set in its columns: where each column starts (from the table's
// left edge) and how wide it is, at full size; scale < 1 for a table
// shrunk to the body's width.
struct TableColumns {
    std::vector<double> left;
    std::vector<double> width;
    double naturalWidth = 0;
    double scale = 1.0;
};

enum class LineKind { heading, caption, columnTitles, row };

// One line on a page. section and table index the document (table -1 for
// a heading), row the table's rows (-1 but for a row).
struct PlacedLine {
    LineKind kind = LineKind::row;
    int section = 0;
    int table = -1;
    int row = -1;
    QRectF rect;
    double scale = 1.0;      // the font's scale on this line
    bool continued = false;  // a heading or caption repeated where its table goes on
};

struct SheetPage {
    std::vector<PlacedLine> lines;
};

struct SheetLayout {
    PageFrame frame;
    std::vector<std::vector<TableColumns>> columns;  // [section][table]
    std::vector<SheetPage> pages;                     // at least one

    const TableColumns &columnsOf(const PlacedLine &line) const {
        return columns[static_cast<std::size_t>(line.section)][static_cast<std::size_t>(line.table)];
    }
};

// A table has at least this many rows (or all it has) under its titles on
// the page where it starts.
inline constexpr int kRowsWithTitles = 3;
// A table no taller than this share of the body is kept on one page.
inline constexpr double kWholeTableShare = 0.5;

// The texts of a heading and a caption as printed.
QString headingLine(const QString &heading, bool continued);
QString captionLine(const QString &caption, bool continued);
// The page number in the footer: "n / N".
QString pageNumberText(int page, int pages);

TableColumns tableColumns(const SheetTable &table, const SheetMetrics &metrics, double availableWidth);

SheetLayout layOutSheet(const CalculationSheetDocument &sheet, const PageFrame &frame, const SheetMetrics &metrics);

}  // namespace rovena::route
