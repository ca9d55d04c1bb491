#include "document_title.h"

#include <QDir>
#include <QFileInfo>
#include <QWidget>

#include "user_dialogs.h"

namespace rovena {

QString DocumentFile::displayName() const {
    return path.isEmpty() ? QStringLiteral("無題") : QFileInfo(path).fileName();
}

QString DocumentFile::folder() const { return path.isEmpty() ? QDir::homePath() : QFileInfo(path).absolutePath(); }

QString DocumentFile::saveSuggestion(const QString &suffix, bool otherKind) const {
    const QString suggestion = path.isEmpty() ? QDir::home().filePath(QStringLiteral("無題.") + suffix) : path;
    if (!otherKind) return suggestion;
    const QFileInfo info(suggestion);
    return info.dir().filePath(info.completeBaseName() + QLatin1Char('.') + suffix);
}

void showDocumentTitle(QWidget &window, const DocumentFile &file, bool modified, const QString &programTitle) {
    // The file's name first, as the platform shows "name - program".
    QString title = programTitle;
    if (!file.path.isEmpty() || file.anyFileUsed) title = file.displayName() + QStringLiteral("[*] - ") + title;
    if (window.windowTitle() != title) window.setWindowTitle(title);
    // Without a file there is no mark to show.
    window.setWindowModified(title.contains(QStringLiteral("[*]")) && modified);
}

bool maySetAsideChanges(UserDialogs &dialogs, const DocumentFile &file, bool modified,
                        const std::function<bool()> &save) {
    if (!file.anyFileUsed || !modified) return true;
    switch (dialogs.askToSaveChanges(file.displayName())) {
    case SaveChoice::Save: return save();
    case SaveChoice::Discard: return true;
    case SaveChoice::Cancel: break;
    }
    return false;
}

} // namespace rovena
