#include "sheet_dialogs.h"

#include <QPrintDialog>
#include <QPrinter>

#include "print_dialogs.h"

namespace rovena::route {

QString WidgetSheetDialogs::askPdfPath(QWidget *parent, const QString &suggested) {
    return preview::WidgetPrintDialogs().askPdfPath(parent, suggested);
}

bool WidgetSheetDialogs::askPrinter(QWidget *parent, QPrinter &printer, int pageCount) {
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, pageCount);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    return dialog.exec() == QDialog::Accepted;
}

void WidgetSheetDialogs::showError(QWidget *parent, const QString &text) {
    preview::WidgetPrintDialogs().showError(parent, text);
}

}  // namespace rovena::route
