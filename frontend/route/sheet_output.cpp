#include "sheet_output.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>

namespace rovena::route {

namespace {

constexpr int pdfResolution = 1200;

}  // namespace

std::shared_ptr<const PreparedSheet> prepareSheet(CalculationSheetDocument sheet, QSizeF paperMm,
                                                  const std::optional<QString> &routeName) {
    auto prepared = std::make_shared<PreparedSheet>();
    prepared->sheet = std::move(sheet);
    prepared->routeName = routeName ? *routeName : routeNameOf(prepared->sheet);
    PageFrame frame;
    frame.paper = paperMm;
    prepared->layout = layOutSheet(prepared->sheet, frame, sheetMetrics(prepared->font, prepared->style));
    return prepared;
}

SheetPaintRun::SheetPaintRun(std::shared_ptr<const PreparedSheet> prepared, int first, int last)
    : prepared_(std::move(prepared)),
      sheetPainter_(prepared_->sheet, prepared_->layout, prepared_->routeName, prepared_->font, prepared_->style),
      first_(std::clamp(first, 0, prepared_->pageCount() - 1)),
      last_(std::clamp(last, first_, prepared_->pageCount() - 1)),
      next_(first_) {}

SheetPaintRun::~SheetPaintRun() {
    if (painter_ && painter_->isActive()) painter_->end();
}

bool SheetPaintRun::begin(QPagedPaintDevice &device, double dotsPerMm) {
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(&device)) return false;
    device_ = &device;
    dotsPerMm_ = dotsPerMm;
    return true;
}

bool SheetPaintRun::paintNext() {
    if (!painter_ || !painter_->isActive() || atEnd()) return false;
    if (next_ > first_ && !device_->newPage()) return false;
    painter_->resetTransform();
    painter_->scale(dotsPerMm_, dotsPerMm_);
    painter_->setRenderHint(QPainter::Antialiasing, true);
    sheetPainter_.paintPage(*painter_, next_);
    ++next_;
    return true;
}

bool SheetPaintRun::end() { return painter_ && painter_->isActive() && painter_->end(); }

struct SheetPdfFile::Parts {
    QSaveFile file;
    std::unique_ptr<QPdfWriter> writer;
};

SheetPdfFile::SheetPdfFile(const QString &path) : parts_(std::make_unique<Parts>()) { parts_->file.setFileName(path); }

SheetPdfFile::~SheetPdfFile() = default;

QString pdfWriteError(const QString &path) { return QStringLiteral("ＰＤＦファイルを書き込めません: ") + path; }

bool SheetPdfFile::open(const PreparedSheet &prepared, QString *error) {
    if (!parts_->file.open(QIODevice::WriteOnly)) {
        if (error) *error = pdfWriteError(parts_->file.fileName()) + QStringLiteral("（") + parts_->file.errorString() + QStringLiteral("）");
        return false;
    }
    parts_->writer = std::make_unique<QPdfWriter>(&parts_->file);
    QPdfWriter &w = *parts_->writer;
    w.setResolution(pdfResolution);
    w.setCreator(QStringLiteral("Rovena"));
    w.setTitle(prepared.documentTitle());
    w.setPageLayout(QPageLayout(QPageSize(prepared.layout.frame.paper, QPageSize::Millimeter), QPageLayout::Portrait,
                                QMarginsF(), QPageLayout::Millimeter));
    return true;
}

QPagedPaintDevice &SheetPdfFile::device() { return *parts_->writer; }

double SheetPdfFile::dotsPerMm() { return pdfResolution / 25.4; }

bool SheetPdfFile::commit(QString *error) {
    parts_->writer.reset();
    if (parts_->file.commit()) return true;
    if (error) *error = pdfWriteError(parts_->file.fileName()) + QStringLiteral("（") + parts_->file.errorString() + QStringLiteral("）");
    return false;
}

bool writeSheetPdf(std::shared_ptr<const PreparedSheet> prepared, const QString &path, QString *error) {
    SheetPdfFile file(path);
    if (!file.open(*prepared, error)) return false;
    SheetPaintRun run(prepared, 0, prepared->pageCount() - 1);
    if (!run.begin(file.device(), SheetPdfFile::dotsPerMm())) {
        if (error) *error = pdfWriteError(path);
        return false;
    }
    while (!run.atEnd()) {
        if (!run.paintNext()) {
            if (error) *error = pdfWriteError(path);
            return false;
        }
    }
    if (!run.end()) {
        if (error) *error = pdfWriteError(path);
        return false;
    }
    return file.commit(error);
}

}  // namespace rovena::route
