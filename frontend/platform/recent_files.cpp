#include "recent_files.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QSettings>

namespace rovena {

namespace {

constexpr int kRecentFiles = 8;

QSettings programSettings() { return QSettings(QStringLiteral("Rovena"), QStringLiteral("Rovena")); }

} // namespace

QStringList RecentFiles::files() const { return programSettings().value(key_).toStringList(); }

void RecentFiles::store(const QStringList &files) { programSettings().setValue(key_, files); }

void RecentFiles::remember(const QString &path) {
    QStringList list = files();
    list.removeAll(path);
    list.prepend(path);
    while (list.size() > kRecentFiles) list.removeLast();
    store(list);
}

void RecentFiles::forget(const QString &path) {
    QStringList list = files();
    if (list.removeAll(path) > 0) store(list);
}

void RecentFiles::fillMenu(QMenu &menu, const std::function<void(const QString &)> &open) const {
    menu.clear();
    const QStringList list = files();
    for (const QString &path : list) {
        QAction *action = menu.addAction(QDir::toNativeSeparators(path));
        QObject::connect(action, &QAction::triggered, &menu, [open, path] { open(path); });
    }
    menu.setEnabled(!list.isEmpty());
}

} // namespace rovena
