#include "print_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include "print_options_dialog.h"

namespace rovena::preview {

std::optional<PrintOptions> WidgetPrintDialogs::askOptions(QWidget *parent, const PrintOptions &initial,
                                                           double scaleN) {
    PrintOptionsDialog dialog(initial, scaleN, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.options();
}

QString WidgetPrintDialogs::askPdfPath(QWidget *parent, const QString &suggested) {
    return QFileDialog::getSaveFileName(parent, QStringLiteral("PDF出力"), suggested,
                                        QStringLiteral("PDF ファイル (*.pdf)"));
}

bool WidgetPrintDialogs::askPrinter(QWidget *parent, QPrinter &printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void WidgetPrintDialogs::showError(QWidget *parent, const QString &text) {
    QMessageBox::warning(parent, QStringLiteral("エラー"), text);
}

void WidgetPrintDialogs::showDone(QWidget *parent, const QString &text) {
    QMessageBox::information(parent, parent ? parent->windowTitle() : QString(), text);
}

}  // namespace rovena::preview
