#include "preview_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

#include "drawing_loader.h"
#include "drawing_view.h"
#include "print_dialogs.h"

namespace rovena::preview {

namespace {

const QString windowCaption = QStringLiteral("ＤＸＦプレビュー");

WidgetPrintDialogs &widgetDialogs() {
    static WidgetPrintDialogs dialogs;
    return dialogs;
}

QString megabytes(qint64 bytes) { return QString::number(static_cast<double>(bytes) / 1e6, 'f', 1); }

}  // namespace

PreviewWindow::PreviewWindow(QWidget *parent) : QWidget(parent, Qt::Window), dialogs_(&widgetDialogs()) {
    setWindowTitle(windowCaption);

    fitButton_ = new QPushButton(QStringLiteral("全体表示"), this);
    printButton_ = new QPushButton(QStringLiteral("印刷…"), this);
    pdfButton_ = new QPushButton(QStringLiteral("PDF出力…"), this);
    printButton_->setEnabled(false);
    pdfButton_->setEnabled(false);
    autoOpenBox_ = new QCheckBox(QStringLiteral("ＤＸＦ作成後に自動で表示する"), this);
    autoOpenBox_->setChecked(true);
    progress_ = new QProgressBar(this);
    progress_->setMinimumWidth(260);
    progress_->hide();
    pathLabel_ = new QLabel(this);
    pathLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    message_ = new QLabel(this);
    message_->setWordWrap(true);
    message_->setStyleSheet(QStringLiteral("QLabel { color: #b00000; font-weight: bold; }"));
    message_->hide();
    view_ = new DrawingView(this);
    loader_ = new DrawingLoader(this);

    auto *bar = new QHBoxLayout;
    bar->addWidget(fitButton_);
    bar->addWidget(printButton_);
    bar->addWidget(pdfButton_);
    bar->addWidget(autoOpenBox_);
    bar->addStretch(1);
    bar->addWidget(progress_);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(message_);
    layout->addWidget(view_, 1);
    layout->addWidget(pathLabel_);

    connect(fitButton_, &QPushButton::clicked, view_, &DrawingView::fitToView);
    connect(printButton_, &QPushButton::clicked, this, &PreviewWindow::printDrawing);
    connect(pdfButton_, &QPushButton::clicked, this, &PreviewWindow::exportPdf);
    connect(autoOpenBox_, &QCheckBox::toggled, this, &PreviewWindow::autoOpenChanged);
    connect(loader_, &DrawingLoader::progress, this, &PreviewWindow::showProgress);
    connect(loader_, &DrawingLoader::finished, this, [this](const LoadedDrawing &loaded) {
        progress_->hide();
        emit drawingLoaded(apply(loaded));
    });
}

PreviewWindow::~PreviewWindow() = default;

void PreviewWindow::beginPath(const QString &dxfPath) {
    path_ = dxfPath;
    pathLabel_->setText(QFileInfo(dxfPath).absoluteFilePath());
    setWindowTitle(windowCaption + QStringLiteral(" - ") + QFileInfo(dxfPath).fileName());
}

bool PreviewWindow::apply(const LoadedDrawing &loaded) {
    setMessage(QString::fromStdString(readStatusMessage(loaded.status)));
    if (loaded.geometry) view_->setGeometry(loaded.geometry);
    else view_->clearDrawing();
    printButton_->setEnabled(view_->hasDrawing());
    pdfButton_->setEnabled(view_->hasDrawing());
    return loaded.status == DxfReadStatus::ok;
}

void PreviewWindow::startLoading(const QString &dxfPath) {
    beginPath(dxfPath);
    setMessage(QString());
    progress_->setRange(0, 0);
    progress_->setFormat(QStringLiteral("読み込み中…"));
    progress_->show();
    loader_->load(dxfPath);
}

void PreviewWindow::openDrawing(const QString &dxfPath) {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    if (!isVisible()) show();
    startLoading(dxfPath);
    raise();
    activateWindow();
}

bool PreviewWindow::isLoading() const { return loader_->isLoading(); }

void PreviewWindow::showProgress(qint64 done, qint64 total) {
    // The bar counts kilobytes, so that files beyond 2 GB stay in its range.
    const int totalKb = static_cast<int>(std::min<qint64>(total / 1024, INT_MAX));
    progress_->setRange(0, std::max(totalKb, 1));
    progress_->setValue(static_cast<int>(std::min<qint64>(done / 1024, totalKb)));
    progress_->setFormat(QStringLiteral("読み込み中… %1 / %2 MB").arg(megabytes(done), megabytes(total)));
}

bool PreviewWindow::loadDrawing(const QString &dxfPath) {
    loader_->cancel();
    progress_->hide();
    beginPath(dxfPath);
    return apply(DrawingLoader::loadNow(dxfPath));
}

void PreviewWindow::closeEvent(QCloseEvent *event) {
    // Closing the window stops a reading nobody will look at.
    loader_->cancel();
    progress_->hide();
    QWidget::closeEvent(event);
}

void PreviewWindow::setPrintDialogs(PrintDialogs *dialogs) { dialogs_ = dialogs ? dialogs : &widgetDialogs(); }

std::optional<PrintOptions> PreviewWindow::askPrintOptions() {
    if (!view_->hasDrawing()) return std::nullopt;
    const std::optional<double> n = drawingScale(*view_->geometry());
    std::optional<PrintOptions> options = dialogs_->askOptions(this, printOptions_, n.value_or(0.0));
    if (options) printOptions_ = *options;
    return options;
}

void PreviewWindow::printDrawing() {
    const std::optional<PrintOptions> options = askPrintOptions();
    if (!options) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(pageLayoutOf(*options));
    printer.setDocName(QFileInfo(path_).fileName());
    if (!dialogs_->askPrinter(this, printer)) return;
    QString error;
    if (!printOn(printer, *view_->geometry(), *options, &error)) dialogs_->showError(this, error);
    else dialogs_->showDone(this, QStringLiteral("印刷データをプリンターに送りました。\n") + placementSummary(*view_->geometry(), *options));
}

void PreviewWindow::exportPdf() {
    const std::optional<PrintOptions> options = askPrintOptions();
    if (!options) return;
    const QFileInfo dxf(path_);
    const QString suggested = dxf.absolutePath() + QLatin1Char('/') + dxf.completeBaseName() + QStringLiteral(".pdf");
    const QString pdf = dialogs_->askPdfPath(this, suggested);
    if (pdf.isEmpty()) return;
    QString error;
    if (!writePdf(*view_->geometry(), *options, pdf, &error)) {
        dialogs_->showError(this, error);
        return;
    }
    dialogs_->showDone(this, QStringLiteral("ＰＤＦファイルを作成しました。\n") + QDir::toNativeSeparators(pdf) +
                                 QStringLiteral("\n") + placementSummary(*view_->geometry(), *options));
}

bool PreviewWindow::autoOpen() const { return autoOpenBox_->isChecked(); }

void PreviewWindow::setAutoOpen(bool on) { autoOpenBox_->setChecked(on); }

QString PreviewWindow::message() const { return message_->text(); }

void PreviewWindow::setMessage(const QString &text) {
    message_->setText(text);
    message_->setVisible(!text.isEmpty());
}

}  // namespace rovena::preview
