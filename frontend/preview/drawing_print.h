// The drawing on paper: placed at its own scale (1:N, the drawing being in
// millimetres at real size, so N drawing units make one millimetre and the
// sheet of an A1 drawing fills A1 exactly) or fitted to the paper, in the
// colours of the preview or all black, texts as real text in the embedded
// Japanese font. The same painting serves the printer and PDF files.
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
