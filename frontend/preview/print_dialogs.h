// What printing asks the user, behind an interface so that tests can answer
// in place of the dialogs.
#pragma once

#include <QString>

#include <optional>

#include "drawing_print.h"

class QPrinter;
class QWidget;

namespace rovena::preview {

class PrintDialogs {
public:
    virtual ~PrintDialogs() = default;
    // The options, or none when the user cancels. scaleN as in PrintOptionsDialog.
    virtual std::optional<PrintOptions> askOptions(QWidget *parent, const PrintOptions &initial, double scaleN) = 0;
    // The PDF file to write, empty when the user cancels.
    virtual QString askPdfPath(QWidget *parent, const QString &suggested) = 0;
    // Qt's print dialog on the printer; false when the user cancels.
    virtual bool askPrinter(QWidget *parent, QPrinter &printer) = 0;
    virtual void showError(QWidget *parent, const QString &text) = 0;
    // What was printed or written, and where.
    virtual void showDone(QWidget *parent, const QString &text) = 0;
};

// The real dialogs.
class WidgetPrintDialogs final : public PrintDialogs {
public:
    std::optional<PrintOptions> askOptions(QWidget *parent, const PrintOptions &initial, double scaleN) override;
    QString askPdfPath(QWidget *parent, const QString &suggested) override;
    bool askPrinter(QWidget *parent, QPrinter &printer) override;
    void showError(QWidget *parent, const QString &text) override;
    void showDone(QWidget *parent, const QString &text) override;
};

}  // namespace rovena::preview
