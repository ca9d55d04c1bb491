// The calculation sheet printed or written as PDF from a window: the
// dialogs first, then the pages painted a few at a time between the
// window's events, with a progress dialog (and its 中止 button) once it
// takes longer than a moment, so that a sheet of thousands of pages never
// freezes the window.
#pragma once

#include <QObject>
#include <QString>

#include <memory>

#include "calculation_sheet_document.h"

class QWidget;

namespace rovena::route {

class SheetDialogs;

class SheetPrinter : public QObject {
    Q_OBJECT
public:
    // window: the dialogs' parent. dialogs: not owned; the real ones when null.
    explicit SheetPrinter(QWidget *window, SheetDialogs *dialogs = nullptr);
    ~SheetPrinter() override;

    void setDialogs(SheetDialogs *dialogs);

    // Prints on A4 portrait: Qt's print dialog with the pages to choose
    // from, then the pages. False when nothing was started (the dialog
    // cancelled, or a job still running).
    bool print(const CalculationSheetDocument &sheet);

    // Asks for the PDF file (suggested: the path offered) and writes it.
    // False when nothing was started.
    bool exportPdf(const CalculationSheetDocument &sheet, const QString &suggested);

    // Writes the PDF file at path without asking.
    bool writePdf(const CalculationSheetDocument &sheet, const QString &path);

    bool isBusy() const;
    // Stops the job: a PDF file is not written (an earlier one stays), a print job is aborted.
    void cancel();

signals:
    // Pages painted of the pages to paint.
    void progressed(int done, int total);
    // completed: all pages printed or the PDF file in place; target: the
    // PDF file, or the printer's name.
    void finished(bool completed, const QString &target);

private:
    struct Job;
    void start(std::unique_ptr<Job> job);
    void paintSlice();
    void finish(bool completed, const QString &error);
    QString failure() const;

    QWidget *window_;
    SheetDialogs *dialogs_;
    std::unique_ptr<Job> job_;
};

}  // namespace rovena::route
