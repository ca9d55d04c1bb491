// The small questions: a whole number (a scale), one of a list (an
// alignment of a LandXML file).
#include <QGuiApplication>
#include <QInputDialog>

#include "user_dialogs.h"

namespace rovena {

std::optional<int> UserDialogs::askNumber(const QString &, int, int, int) { return std::nullopt; }

std::optional<int> QtUserDialogs::askNumber(const QString &label, int value, int minimum, int maximum) {
    QInputDialog dialog(owner_);
    dialog.setWindowTitle(QGuiApplication::applicationDisplayName());
    dialog.setInputMode(QInputDialog::IntInput);
    dialog.setLabelText(label);
    dialog.setIntRange(minimum, maximum);
    dialog.setIntValue(value);
    dialog.setIntStep(100);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("キャンセル"));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.intValue();
}

std::optional<int> UserDialogs::askChoice(const QString &, const QStringList &) { return std::nullopt; }

std::optional<int> QtUserDialogs::askChoice(const QString &label, const QStringList &items) {
    QInputDialog dialog(owner_);
    dialog.setWindowTitle(QGuiApplication::applicationDisplayName());
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setComboBoxItems(items);
    dialog.setComboBoxEditable(false);
    dialog.setLabelText(label);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("キャンセル"));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const int chosen = static_cast<int>(items.indexOf(dialog.textValue()));
    return chosen < 0 ? std::nullopt : std::optional<int>(chosen);
}

} // namespace rovena
