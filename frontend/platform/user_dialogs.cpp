#include "user_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace rovena {

QString programTitle() { return QStringLiteral("Rovena クロソイド曲線作図"); }

void QtUserDialogs::message(const QString &text, const QString &caption, MessageIcon icon) {
    QMessageBox box(icon == MessageIcon::Information ? QMessageBox::Information : QMessageBox::NoIcon,
                    caption, text, QMessageBox::Ok, owner_);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

QString QtUserDialogs::saveFileName(const QString &folder, const QString &filter) {
    QFileDialog dialog(owner_);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDirectory(folder);
    dialog.setNameFilter(filter);
    // A name typed without an extension is used as typed.
    dialog.setDefaultSuffix(QString());
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

} // namespace rovena
