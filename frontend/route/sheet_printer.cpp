#include "sheet_printer.h"

#include <QElapsedTimer>
#include <QPageLayout>
#include <QPointer>
#include <QPrinter>
#include <QProgressDialog>
#include <QTimer>
#include <QWidget>

#include <cmath>

#include "sheet_dialogs.h"
#include "sheet_output.h"

namespace rovena::route {

namespace {

// Pages are painted for this long between two turns of the event loop.
constexpr qint64 sliceMilliseconds = 40;
// The progress dialog appears when the job runs longer than this.
constexpr int progressDelayMilliseconds = 500;

WidgetSheetDialogs &widgetDialogs() {
    static WidgetSheetDialogs dialogs;
    return dialogs;
}

bool samePaper(QSizeF a, QSizeF b) {
    return std::abs(a.width() - b.width()) < 0.5 && std::abs(a.height() - b.height()) < 0.5;
}

}  // namespace

struct SheetPrinter::Job {
    std::shared_ptr<const PreparedSheet> prepared;
    std::unique_ptr<QPrinter> printer;
    std::unique_ptr<SheetPdfFile> pdf;
    std::unique_ptr<SheetPaintRun> run;  // after the devices: it ends painting before they go
    QPointer<QProgressDialog> progress;
    QString target;

    ~Job() {
        if (progress) progress->deleteLater();
    }
};

SheetPrinter::SheetPrinter(QWidget *window, SheetDialogs *dialogs)
    : QObject(window), window_(window), dialogs_(dialogs ? dialogs : &widgetDialogs()) {}

SheetPrinter::~SheetPrinter() = default;

void SheetPrinter::setDialogs(SheetDialogs *dialogs) { dialogs_ = dialogs ? dialogs : &widgetDialogs(); }

bool SheetPrinter::isBusy() const { return job_ != nullptr; }

bool SheetPrinter::print(const CalculationSheetDocument &sheet) {
    if (isBusy()) return false;
    auto job = std::make_unique<Job>();
    job->prepared = prepareSheet(sheet);
    job->printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrinter &printer = *job->printer;
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(),
                                      QPageLayout::Millimeter));
    printer.setDocName(job->prepared->documentTitle());
    if (!dialogs_->askPrinter(window_, printer, job->prepared->pageCount())) return false;
    // Another paper chosen in the dialog: the pages are laid out on it.
    const QSizeF paper = printer.pageLayout().fullRect(QPageLayout::Millimeter).size();
    if (!samePaper(paper, job->prepared->layout.frame.paper))
        job->prepared = prepareSheet(job->prepared->sheet, paper, job->prepared->routeName);
    int first = 0, last = job->prepared->pageCount() - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = printer.fromPage() - 1;
        last = printer.toPage() > 0 ? printer.toPage() - 1 : last;
    }
    job->run = std::make_unique<SheetPaintRun>(job->prepared, first, last);
    job->target = printer.printerName().isEmpty() ? printer.outputFileName() : printer.printerName();
    if (!job->run->begin(printer, printer.resolution() / 25.4)) {
        dialogs_->showError(window_, QStringLiteral("印刷を始められません。"));
        return false;
    }
    start(std::move(job));
    return true;
}

bool SheetPrinter::exportPdf(const CalculationSheetDocument &sheet, const QString &suggested) {
    if (isBusy()) return false;
    const QString path = dialogs_->askPdfPath(window_, suggested);
    if (path.isEmpty()) return false;
    return writePdf(sheet, path);
}

bool SheetPrinter::writePdf(const CalculationSheetDocument &sheet, const QString &path) {
    if (isBusy()) return false;
    auto job = std::make_unique<Job>();
    job->prepared = prepareSheet(sheet);
    job->target = path;
    job->pdf = std::make_unique<SheetPdfFile>(path);
    QString error;
    if (!job->pdf->open(*job->prepared, &error)) {
        dialogs_->showError(window_, error);
        return false;
    }
    job->run = std::make_unique<SheetPaintRun>(job->prepared, 0, job->prepared->pageCount() - 1);
    if (!job->run->begin(job->pdf->device(), SheetPdfFile::dotsPerMm())) {
        dialogs_->showError(window_, pdfWriteError(path));
        return false;
    }
    start(std::move(job));
    return true;
}

void SheetPrinter::start(std::unique_ptr<Job> job) {
    job_ = std::move(job);
    auto *progress = new QProgressDialog(QStringLiteral("%1を出力しています…").arg(job_->prepared->sheet.title),
                                         QStringLiteral("中止"), 0, job_->run->pagesToPaint(), window_);
    progress->setWindowTitle(job_->prepared->sheet.title);
    progress->setWindowModality(Qt::WindowModal);
    progress->setMinimumDuration(progressDelayMilliseconds);
    progress->setAutoClose(false);
    progress->setAutoReset(false);
    progress->setValue(0);
    connect(progress, &QProgressDialog::canceled, this, &SheetPrinter::cancel);
    job_->progress = progress;
    QTimer::singleShot(0, this, &SheetPrinter::paintSlice);
}

void SheetPrinter::paintSlice() {
    if (!job_) return;
    SheetPaintRun &run = *job_->run;
    QElapsedTimer clock;
    clock.start();
    while (!run.atEnd() && clock.elapsed() < sliceMilliseconds) {
        if (!run.paintNext()) {
            finish(false, failure());
            return;
        }
    }
    const int done = run.pagesDone(), total = run.pagesToPaint();
    if (job_->progress) {
        job_->progress->setValue(done);
        job_->progress->setLabelText(
            QStringLiteral("%1を出力しています… %2 / %3 ページ").arg(job_->prepared->sheet.title).arg(done).arg(total));
    }
    emit progressed(done, total);
    if (!job_) return;  // cancelled by a receiver of the signal
    if (!run.atEnd()) {
        QTimer::singleShot(0, this, &SheetPrinter::paintSlice);
        return;
    }
    if (!run.end()) {
        finish(false, failure());
        return;
    }
    QString error;
    if (job_->pdf && !job_->pdf->commit(&error)) {
        finish(false, error);
        return;
    }
    finish(true, {});
}

QString SheetPrinter::failure() const {
    return job_->pdf ? pdfWriteError(job_->target) : QStringLiteral("印刷できませんでした。");
}

void SheetPrinter::cancel() {
    if (!job_) return;
    if (job_->printer) job_->printer->abort();
    finish(false, {});
}

void SheetPrinter::finish(bool completed, const QString &error) {
    const QString target = job_->target;
    job_.reset();
    if (!error.isEmpty()) dialogs_->showError(window_, error);
    emit finished(completed, target);
}

}  // namespace rovena::route
