// The menu "ファイル" and the commands that may replace the form's design:
// opening and saving design files, the recently used files, the file name
// and change mark in the title line, files dropped on the window, サンプル
// データ and データ  クリア, and the question before changes not in the file
// would be lost.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "design/design_file.h"
#include "recent_files.h"

class QMenu;

namespace rovena {

class MainForm;
class UserDialogs;

class DesignFileCommands : public QObject {
    Q_OBJECT

public:
    DesignFileCommands(MainForm &form, UserDialogs &dialogs);

    // Opens without asking; false when the file could not be read (the user
    // was told).
    bool openDesignFile(const QString &path);
    QString designFilePath() const { return file_.path; }
    // True while the form differs from the design last opened or saved.
    bool isDesignModified() const;

    // The curve's world placement, kept beside the form: the [placement]
    // lines it gives for a saved design (empty: none), and what takes the
    // lines of a design put into the form (an opened file's, or none after
    // サンプルデータ and データ  クリア). Without a link, an opened file's
    // placement is kept as read.
    struct PlacementLink {
        std::function<std::vector<std::string>()> lines;
        std::function<void(const std::vector<std::string> &)> take;
    };
    void setPlacementLink(PlacementLink link) { placementLink_ = std::move(link); }
    // The placement's lines changed: the change mark is judged again.
    void placementChanged() { updateTitle(); }

    // The form holds a new design without a file (at start-up, and after
    // サンプルデータ or データ  クリア).
    void formReset();

    // Each asks first when the form holds changes not in its file.
    void openDesign();  // "開く…"
    bool saveDesign();  // "上書き保存"
    bool saveDesignAs(); // "名前を付けて保存…"
    // A design made elsewhere (a curve of the route window) put into the
    // form with its placement, as a new design without a file that is not
    // saved yet. Asks first; false when the user cancelled.
    bool takeNewDesign(const design_model::DesignDocument &document);

    void loadSample();  // "サンプルデータ"
    void clear();       // "データ  クリア"

private:
    struct FileState {
        QString path;                         // empty: the form has no file
        design_model::DesignDocument saved;   // what the file holds, or the form as last reset
        bool parameterFile = false;           // opened from a bare parameter file
        bool anyFileUsed = false;             // a file was opened or saved in this run
    };

    void buildMenu();
    bool maySetAsideChanges();
    bool writeDesign(const QString &path);
    void openWithQuestion(const QString &path);
    void updateTitle();
    void fillRecentMenu();
    std::vector<std::string> currentPlacement() const;
    void takePlacement(const std::vector<std::string> &lines);

    MainForm &form_;
    UserDialogs &dialogs_;
    FileState file_;
    PlacementLink placementLink_;
    QMenu *recentMenu_ = nullptr;
    // The design files' own list: route files keep theirs apart.
    RecentFiles recent_{QStringLiteral("recentFiles")};
};

} // namespace rovena
