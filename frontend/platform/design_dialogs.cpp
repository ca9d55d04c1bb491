// The dialogs of the menus "ファイル": the question before changes would be
// lost, and the Open and Save dialogs for design files and other files.
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

#include "user_dialogs.h"

namespace rovena {

namespace {

const QString kDesignFilter = QStringLiteral("Rovena 設計ファイル (*.rvd)");
const QString kOpenFilter = QStringLiteral("Rovena 設計ファイル (*.rvd);;パラメータファイル (*.dat *.DAT);;すべてのファイル (*)");

} // namespace

SaveChoice UserDialogs::askToSaveChanges(const QString &) { return SaveChoice::Cancel; }

QString UserDialogs::openDesignFileName(const QString &) { return {}; }

QString UserDialogs::saveDesignFileName(const QString &) { return {}; }

QString UserDialogs::openFileName(const QString &, const QString &) { return {}; }

QString UserDialogs::saveFileAs(const QString &, const QString &, const QString &) { return {}; }

SaveChoice QtUserDialogs::askToSaveChanges(const QString &designName) {
    QMessageBox box(QMessageBox::Warning, QGuiApplication::applicationDisplayName(),
                    QStringLiteral("%1 への変更を保存しますか?").arg(designName), QMessageBox::NoButton, owner_);
    box.setTextFormat(Qt::PlainText);
    QPushButton *save = box.addButton(QStringLiteral("保存する"), QMessageBox::AcceptRole);
    QPushButton *discard = box.addButton(QStringLiteral("保存しない"), QMessageBox::DestructiveRole);
    QPushButton *cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save) return SaveChoice::Save;
    if (box.clickedButton() == discard) return SaveChoice::Discard;
    return SaveChoice::Cancel;
}

QString QtUserDialogs::openDesignFileName(const QString &folder) { return openFileName(folder, kOpenFilter); }

QString QtUserDialogs::saveDesignFileName(const QString &suggestion) {
    return saveFileAs(suggestion, kDesignFilter, QStringLiteral("rvd"));
}

QString QtUserDialogs::openFileName(const QString &folder, const QString &filter) {
    return QFileDialog::getOpenFileName(owner_, QStringLiteral("開く"), folder, filter);
}

QString QtUserDialogs::saveFileAs(const QString &suggestion, const QString &filter, const QString &suffix) {
    QFileDialog dialog(owner_, QStringLiteral("名前を付けて保存"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(suffix);
    dialog.setDirectory(QFileInfo(suggestion).absolutePath());
    dialog.selectFile(QFileInfo(suggestion).fileName());
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return {};
    // The dialog does not always add the suffix itself; the name with it
    // may then name an existing file the dialog did not ask about.
    QString path = files.first();
    if (!QFileInfo(path).suffix().isEmpty()) return path;
    path += QLatin1Char('.') + suffix;
    if (!QFileInfo::exists(path)) return path;
    const auto answer = QMessageBox::question(owner_, QGuiApplication::applicationDisplayName(),
                                              QStringLiteral("%1 は既にあります。\n上書きしますか?").arg(QDir::toNativeSeparators(path)));
    return answer == QMessageBox::Yes ? path : QString();
}

} // namespace rovena
