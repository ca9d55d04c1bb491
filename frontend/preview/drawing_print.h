// The drawing on paper, in the colours of the preview or all black, texts as
// real text in the embedded Japanese font; the same painting serves the
// printer and PDF files. At the drawing's own scale 1:N (the drawing being in
// millimetres at real size, N drawing units make one millimetre) the page
// holds the sheet with everything that stands beyond its edges, centred, at
// 1:N when that fits within a margin, else reduced just enough to fit: the
// sheet of an A1 drawing alone fills A1, and the element table's head stands
// above it. Fitted, what is drawn fills the paper within the margin, without
// the sheet's frame. The page edge never cuts the drawing.
#pragma once

#include <QPageLayout>
#include <QPageSize>
#include <QString>

#include <optional>

#include "preview_geometry.h"

class QPainter;
class QPrinter;

namespace rovena::preview {

enum class Paper { a1, a2, a3, a4 };

struct PrintOptions {
    Paper paper = Paper::a1;
    bool landscape = true;
    bool fit = false;   // "用紙に合わせる"; otherwise the drawing's own scale
    bool black = true;  // all lines and texts black, the usual choice for paper
};

QPageSize pageSizeOf(Paper paper);
QPageLayout pageLayoutOf(const PrintOptions &options);

// N of the drawing's scale 1:N, from its sheet, which is A1 (841 mm wide) at
// that scale; none without a sheet.
std::optional<double> drawingScale(const PreviewGeometry &geometry);

// How the drawing lies on a page: the part of the drawing that is centred
// on it, millimetres of paper per drawing unit, and whether the sheet's
// frame is drawn.
struct PagePlacement {
    DxfBox box;
    double mmPerUnit = 0.0;
    bool sheetFrame = true;
};

// The placement on a page of the given size in millimetres; none for a
// drawing without anything to place.
std::optional<PagePlacement> placeOnPage(const PreviewGeometry &geometry, const PrintOptions &options, QSizeF pageMm);

// The paper and the scale printed, for the user: "A1 横、1:260.5（縮尺 1:250
// を 96.0 % に縮小）", "A3 縦、縮尺 1:250", "A3 横、用紙に合わせて 1:512.4".
QString placementSummary(const PreviewGeometry &geometry, const PrintOptions &options);

// Paints the drawing on a page of the given size in millimetres, the painter
// having dotsPerMm device units per millimetre from the paper's corner.
void paintOnPage(QPainter &painter, const PreviewGeometry &geometry, const PrintOptions &options,
                 QSizeF pageMm, double dotsPerMm);

// Writes a one-page PDF. On failure returns false with the reason in error.
bool writePdf(const PreviewGeometry &geometry, const PrintOptions &options, const QString &path,
              QString *error);

// Prints on a printer the user has set up; the paper and orientation of the
// options are set on it first.
bool printOn(QPrinter &printer, const PreviewGeometry &geometry, const PrintOptions &options, QString *error);

}  // namespace rovena::preview
