// What printing the sheet asks the user, behind an interface so that tests
// can answer in place of the dialogs.
#pragma once

#include <QString>

class QPrinter;
class QWidget;

namespace rovena::route {

class SheetDialogs {
public:
    virtual ~SheetDialogs() = default;
    // The PDF file to write, empty when the user cancels.
    virtual QString askPdfPath(QWidget *parent, const QString &suggested) = 0;
    // Qt's print dialog on the printer, its pages 1 to pageCount to choose
    // from; false when the user cancels.
    virtual bool askPrinter(QWidget *parent, QPrinter &printer, int pageCount) = 0;
    virtual void showError(QWidget *parent, const QString &text) = 0;
};

// The real dialogs: the preview's file dialog and message box, Qt's print dialog.
class WidgetSheetDialogs final : public SheetDialogs {
public:
    QString askPdfPath(QWidget *parent, const QString &suggested) override;
    bool askPrinter(QWidget *parent, QPrinter &printer, int pageCount) override;
    void showError(QWidget *parent, const QString &text) override;
};

}  // namespace rovena::route
