// The sheet put on paper: laid out once for a paper size with its font,
// then painted page after page on a printer or into a PDF file, so that a
// caller can paint a few pages at a time and keep its window answering.
#pragma once

#include <QSizeF>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

#include "calculation_sheet_document.h"
#include "sheet_fonts.h"
#include "sheet_painter.h"
#include "sheet_pages.h"

class QPagedPaintDevice;
class QPainter;

namespace rovena::route {

// A sheet with its layout for one paper, ready to paint.
struct PreparedSheet {
    CalculationSheetDocument sheet;
    QString routeName;
    SheetFont font;
    SheetStyle style;
    SheetLayout layout;

    int pageCount() const { return static_cast<int>(layout.pages.size()); }
    // The sheet's title and the route's name, as the document is called.
    QString documentTitle() const {
        return routeName.isEmpty() ? sheet.title : sheet.title + QLatin1Char(' ') + routeName;
    }
};

// Lays the sheet out on paper of the given size (millimetres, portrait A4
// unless told), the route's name taken from the sheet when none is given.
std::shared_ptr<const PreparedSheet> prepareSheet(CalculationSheetDocument sheet, QSizeF paperMm = QSizeF(210.0, 297.0),
                                                  const std::optional<QString> &routeName = std::nullopt);

// Paints pages first..last (from 0) of a prepared sheet on a paged device
// whose origin is the paper's top left corner.
class SheetPaintRun {
public:
    SheetPaintRun(std::shared_ptr<const PreparedSheet> prepared, int first, int last);
    ~SheetPaintRun();
    SheetPaintRun(const SheetPaintRun &) = delete;
    SheetPaintRun &operator=(const SheetPaintRun &) = delete;

    // Starts painting; false when the device cannot be painted on.
    bool begin(QPagedPaintDevice &device, double dotsPerMm);
    // Paints the next page; false when none is left (or the device failed).
    bool paintNext();
    // Ends painting; false when the device could not finish.
    bool end();

    int pagesDone() const { return next_ - first_; }
    int pagesToPaint() const { return last_ - first_ + 1; }
    bool atEnd() const { return next_ > last_; }

private:
    std::shared_ptr<const PreparedSheet> prepared_;
    SheetPainter sheetPainter_;
    std::unique_ptr<QPainter> painter_;
    QPagedPaintDevice *device_ = nullptr;
    double dotsPerMm_ = 1.0;
    int first_ = 0, last_ = 0, next_ = 0;
};

// A PDF file being written: nothing replaces the file at path until
// commit(), so that a failed or cancelled export leaves an earlier file as
// it was.
class SheetPdfFile {
public:
    explicit SheetPdfFile(const QString &path);
    ~SheetPdfFile();
    SheetPdfFile(const SheetPdfFile &) = delete;
    SheetPdfFile &operator=(const SheetPdfFile &) = delete;

    // Opens the file; false with the reason in error.
    bool open(const PreparedSheet &prepared, QString *error);
    QPagedPaintDevice &device();
    static double dotsPerMm();
    // Puts the file in place; false with the reason in error.
    bool commit(QString *error);

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

// The message for a PDF file that could not be written.
QString pdfWriteError(const QString &path);

// Writes the whole sheet as a PDF file at once. False with the reason in
// error.
bool writeSheetPdf(std::shared_ptr<const PreparedSheet> prepared, const QString &path, QString *error);

}  // namespace rovena::route
