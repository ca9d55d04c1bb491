#include "drawing_print.h"

#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

#include "geometry_painter.h"

namespace rovena::preview {

namespace {

constexpr double a1WidthMm = 841.0;
// The room left round the drawing on every side of the page.
constexpr double marginMm = 10.0;
constexpr double lineWidthMm = 0.18;
constexpr int pdfResolution = 1200;
constexpr double detailToleranceMm = 0.01;

bool beginPainting(QPainter &painter, QPaintDevice &device, QString *error, const QString &what) {
    if (painter.begin(&device)) return true;
    if (error) *error = what;
    return false;
}

}  // namespace

QPageSize pageSizeOf(Paper paper) {
    switch (paper) {
    case Paper::a1: return QPageSize(QPageSize::A1);
    case Paper::a2: return QPageSize(QPageSize::A2);
    case Paper::a3: return QPageSize(QPageSize::A3);
    case Paper::a4: return QPageSize(QPageSize::A4);
    }
    return QPageSize(QPageSize::A1);
}

QPageLayout pageLayoutOf(const PrintOptions &options) {
    return QPageLayout(pageSizeOf(options.paper),
                       options.landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(),
                       QPageLayout::Millimeter);
}

std::optional<double> drawingScale(const PreviewGeometry &geometry) {
    const DxfBox &sheet = geometry.sheet();
    if (sheet.empty || !(sheet.width() > 0.0)) return std::nullopt;
    return sheet.width() / a1WidthMm;
}

std::optional<PagePlacement> placeOnPage(const PreviewGeometry &geometry, const PrintOptions &options, QSizeF pageMm) {
    const std::optional<double> n = drawingScale(geometry);
    const bool fit = options.fit || !n;
    PagePlacement placed;
    placed.box = fit ? geometry.drawnExtents() : geometry.extents();
    placed.sheetFrame = !fit;
    if (placed.box.empty) return std::nullopt;
    const double w = std::max(placed.box.width(), 1e-9), h = std::max(placed.box.height(), 1e-9);
    const double filling = std::min((pageMm.width() - 2 * marginMm) / w, (pageMm.height() - 2 * marginMm) / h);
    placed.mmPerUnit = fit ? filling : std::min(1.0 / *n, filling);
    return placed;
}

QString placementSummary(const PreviewGeometry &geometry, const PrintOptions &options) {
    const QString paper = QStringLiteral("A%1 %2").arg(static_cast<int>(options.paper) + 1)
                              .arg(options.landscape ? QStringLiteral("横") : QStringLiteral("縦"));
    const QSizeF pageMm = pageLayoutOf(options).fullRect(QPageLayout::Millimeter).size();
    const std::optional<PagePlacement> placed = placeOnPage(geometry, options, pageMm);
    if (!placed) return paper;
    const auto scaleText = [](double n) { return QStringLiteral("1:") + QString::number(n, 'f', 1).remove(QRegularExpression("\\.0$")); };
    const double printed = 1.0 / placed->mmPerUnit;
    const std::optional<double> n = drawingScale(geometry);
    if (!placed->sheetFrame) return paper + QStringLiteral("、用紙に合わせて ") + scaleText(printed);
    if (printed <= *n * (1 + 1e-9)) return paper + QStringLiteral("、縮尺 ") + scaleText(*n);
    return paper + QStringLiteral("、") + scaleText(printed) + QStringLiteral("（縮尺 ") + scaleText(*n) +
           QStringLiteral(" を %1 % に縮小）").arg(100.0 * *n / printed, 0, 'f', 1);
}

void paintOnPage(QPainter &painter, const PreviewGeometry &geometry, const PrintOptions &options,
                 QSizeF pageMm, double dotsPerMm) {
    const std::optional<PagePlacement> placed = placeOnPage(geometry, options, pageMm);
    if (!placed) return;
    const DxfBox &box = placed->box;
    PaintFrame frame;
    frame.scale = placed->mmPerUnit * dotsPerMm;
    const double cx = (box.minX + box.maxX) / 2.0, cy = (box.minY + box.maxY) / 2.0;
    frame.offsetX = pageMm.width() * dotsPerMm / 2.0 - cx * frame.scale;
    frame.offsetY = pageMm.height() * dotsPerMm / 2.0 + cy * frame.scale;
    frame.visible = QRectF(0.0, 0.0, pageMm.width() * dotsPerMm, pageMm.height() * dotsPerMm);
    frame.tolerance = detailToleranceMm * dotsPerMm;
    frame.lineWidth = lineWidthMm * dotsPerMm;
    frame.black = options.black;
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (placed->sheetFrame) paintSheetFrame(painter, geometry, frame);
    paintLinework(painter, geometry, frame);
    paintTexts(painter, geometry, frame);
}

bool writePdf(const PreviewGeometry &geometry, const PrintOptions &options, const QString &path,
              QString *error) {
    QPdfWriter writer(path);
    writer.setResolution(pdfResolution);
    writer.setCreator(QStringLiteral("Rovena"));
    writer.setTitle(QFileInfo(path).completeBaseName());
    writer.setPageLayout(pageLayoutOf(options));
    QPainter painter;
    if (!beginPainting(painter, writer, error, QStringLiteral("ＰＤＦファイルを書き込めません: ") + path))
        return false;
    const QSizeF pageMm = writer.pageLayout().fullRect(QPageLayout::Millimeter).size();
    paintOnPage(painter, geometry, options, pageMm, pdfResolution / 25.4);
    if (!painter.end()) {
        if (error) *error = QStringLiteral("ＰＤＦファイルを書き込めません: ") + path;
        return false;
    }
    return true;
}

bool printOn(QPrinter &printer, const PreviewGeometry &geometry, const PrintOptions &options, QString *error) {
    printer.setFullPage(true);
    printer.setPageLayout(pageLayoutOf(options));
    QPainter painter;
    if (!beginPainting(painter, printer, error, QStringLiteral("印刷を始められません。"))) return false;
    const QSizeF pageMm = printer.pageLayout().fullRect(QPageLayout::Millimeter).size();
    paintOnPage(painter, geometry, options, pageMm, printer.resolution() / 25.4);
    return painter.end();
}

}  // namespace rovena::preview
