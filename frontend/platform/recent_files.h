// A list of recently used files, kept in the user's settings of the program
// between runs under a key of its own, and shown as the items of a menu.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QMenu;

namespace rovena {

class RecentFiles {
public:
    // key names the list in the settings: each kind of file keeps its own.
    explicit RecentFiles(QString key) : key_(std::move(key)) {}

    QStringList files() const;
    // path first, at most eight files.
    void remember(const QString &path);
    // A file that no longer opens is taken off the list.
    void forget(const QString &path);
    // The list as the items of menu, each opening its file through open;
    // the menu is disabled while the list is empty.
    void fillMenu(QMenu &menu, const std::function<void(const QString &)> &open) const;

private:
    void store(const QStringList &files);

    QString key_;
};

} // namespace rovena
