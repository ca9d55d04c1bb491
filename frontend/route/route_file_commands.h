// The menu ファイル of the route window: a new route, opening a route file
// (or an IP table as CSV, or an alignment of a LandXML file, which the
// library reads), saving it, the recently used route files, reading
// an IP table into the route, and the title line with the change mark and
// the question before changes not in the file would be lost, as the design
// files of the main window have them. Route files keep a list of recent
// files of their own: a route file opens in the route window, a design file
// in the form, so one list could not open both.
#pragma once

#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <string>

#include "document_title.h"
#include "recent_files.h"

class QMenu;
class QWidget;

namespace rovena {

class LibraryBinding;
class RouteDocument;
class UserDialogs;

class RouteFileCommands : public QObject {
    Q_OBJECT

public:
    RouteFileCommands(QWidget &window, RouteDocument &document, UserDialogs &dialogs, LibraryBinding &library);

    // Adds the items to the menu ファイル.
    void addTo(QMenu &menu);

    // Opens without asking; false when the file could not be read (the user
    // was told). An IP table or a LandXML file opens as a route without
    // file, to be saved as one; of a LandXML file with several alignments,
    // the one the user chooses.
    bool openRouteFile(const QString &path);
    // True while the route differs from the file last opened or saved.
    bool isModified() const;
    // Asks first when the route holds changes not in its file.
    bool maySetAsideChanges();
    // The title line and its change mark, after every change.
    void updateTitle();
    // The folder the route's outputs are suggested in, and the name they
    // are suggested under: the route file's, else 無題.
    QString outputFolder() const;
    QString outputBaseName() const;

    void newRoute();     // "新規"
    void openRoute();    // "開く…"
    bool saveRoute();    // "上書き保存"
    bool saveRouteAs();  // "名前を付けて保存…"
    void readIpTable();  // "IP 表の読み込み…"

signals:
    // Another route came in (new or opened): the plan is fitted to it.
    void routeReplaced();

private:
    struct ReadRoute;
    bool readFile(const QString &path, ReadRoute &read);
    bool readLandXml(const QString &path, ReadRoute &read);
    bool readRouteText(const QString &shown, const std::string &content, ReadRoute &read);
    bool writeRoute(const QString &path);
    void openWithQuestion(const QString &path);
    void fillRecentMenu();
    std::string currentText() const;

    QWidget &window_;
    RouteDocument &document_;
    UserDialogs &dialogs_;
    LibraryBinding &library_;
    QTemporaryDir work_; // the library's answers about LandXML files
    DocumentFile file_;
    bool notRouteFile_ = false; // opened from an IP table: saved under a new name
    std::string saved_;         // the route file's text as last opened or saved
    QMenu *recentMenu_ = nullptr;
    RecentFiles recent_{QStringLiteral("recentRouteFiles")};
};

} // namespace rovena
