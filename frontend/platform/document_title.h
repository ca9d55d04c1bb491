// How a window shows the file its document belongs to, the same for design
// files and route files: the file's name before the program's title with
// the change mark, "無題" for a document without a file once a file was
// used in this run, and the question before changes not in the file would
// be lost.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace rovena {

class UserDialogs;

struct DocumentFile {
    QString path;             // empty: the document has no file
    bool anyFileUsed = false; // a file was opened or saved in this run

    // The name the title line and the question show.
    QString displayName() const;
    // The folder a file dialog starts in: the file's, else the home folder.
    QString folder() const;
    // The name 名前を付けて保存 offers: the file itself, 無題.SUFFIX in the
    // home folder without a file, or the file's name with SUFFIX when the
    // file is of another kind (a parameter file, an IP table).
    QString saveSuggestion(const QString &suffix, bool otherKind) const;
};

// Sets the window's title line to the document's and its change mark to
// modified (a document without file shows no mark).
void showDocumentTitle(QWidget &window, const DocumentFile &file, bool modified, const QString &programTitle);

// Whether the document may be set aside: true when it holds no changes
// (or no file was ever used), or when the user chose to save them (and save
// succeeded) or to discard them; false when the user cancelled.
bool maySetAsideChanges(UserDialogs &dialogs, const DocumentFile &file, bool modified,
                        const std::function<bool()> &save);

} // namespace rovena
