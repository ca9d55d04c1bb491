// The pages of a laid-out sheet painted: the header with the sheet's title
// and the route's name over a rule, the page number "n / N" in the footer,
// headings, captions, column titles over a rule and rows, each cell to the
// left or right of its column as the sheet says, a table's last line on a
// page closed by a rule.
#pragma once

#include <QString>

#include "calculation_sheet_document.h"
#include "sheet_fonts.h"
#include "sheet_pages.h"

class QPainter;

namespace rovena::route {

// Sizes of the texts (the font's height, millimetres) and of the lines.
struct SheetStyle {
    double headerEm = 3.5;   // 10 pt
    double headingEm = 3.9;  // 11 pt
    double captionEm = 3.2;  // 9 pt
    double bodyEm = 3.2;
    double footerEm = 3.2;
    double lineSpacing = 1.45;  // a line's height over its text's
    double ruleWidth = 0.2;
};

// The measures layOutSheet needs, taken from the font in this style. The
// result refers to font, which must outlive it.
SheetMetrics sheetMetrics(const SheetFont &font, const SheetStyle &style = {});

class SheetPainter {
public:
    // The sheet, its layout and the font are referred to, not copied; they
    // must outlive the painter.
    SheetPainter(const CalculationSheetDocument &sheet, const SheetLayout &layout, const QString &routeName,
                 const SheetFont &font, const SheetStyle &style);

    // Paints page (from 0) on a painter that counts millimetres from the paper's top left corner.
    void paintPage(QPainter &painter, int page) const;

private:
    void paintHeader(QPainter &painter) const;
    void paintFooter(QPainter &painter, int page) const;
    void paintLine(QPainter &painter, const PlacedLine &line) const;
    void paintCells(QPainter &painter, const PlacedLine &line, const QStringList &cells) const;
    void rule(QPainter &painter, double left, double right, double y, double width) const;

    const CalculationSheetDocument &sheet_;
    const SheetLayout &layout_;
    const QString routeName_;
    const SheetFont &font_;
    const SheetStyle style_;
};

}  // namespace rovena::route
