#include "route_file_commands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QWidget>

#include "menu_command.h"
#include "route/route_file.h"
#include "route/route_text.h"
#include "library_binding.h"
#include "route/text_input.h"
#include "route_document.h"
#include "user_dialogs.h"

namespace rovena {

namespace kr = korvane::route;

namespace {

const QString kRouteFilter = QStringLiteral("Rovena 路線ファイル (*.rvr)");
const QString kOpenFilter = QStringLiteral(
    "路線ファイル・IP 表・LandXML (*.rvr *.csv *.xml);;Rovena 路線ファイル (*.rvr);;IP 表 (*.csv);;LandXML (*.xml);;すべてのファイル (*)");
const QString kIpTableFilter = QStringLiteral("IP 表 (*.csv);;すべてのファイル (*)");

QString routeWindowTitle() { return QStringLiteral("路線 - ") + programTitle(); }

// A new route: BP and EP 100 m apart, the settings as a route file without
// them has them.
std::vector<kr::IpInput> newRoutePoints() {
    kr::IpInput bp, ep;
    ep.point = {100, 0};
    return {bp, ep};
}

} // namespace

// What reading a file gave: the route, and whether it was a route file.
struct RouteFileCommands::ReadRoute {
    kr::LoadedRoute route;
    bool routeFile = false;
};

RouteFileCommands::RouteFileCommands(QWidget &window, RouteDocument &document, UserDialogs &dialogs,
                                     LibraryBinding &library)
    : window_(window), document_(document), dialogs_(dialogs), library_(library) {
    connect(&document_, &RouteDocument::changed, this, &RouteFileCommands::updateTitle);
    document_.load(kr::RouteSettings{}, newRoutePoints());
    saved_ = currentText();
    updateTitle();
}

void RouteFileCommands::addTo(QMenu &menu) {
    addCommand(menu, "newRoute", QStringLiteral("新規"), QKeySequence::New, this, &RouteFileCommands::newRoute);
    addCommand(menu, "openRoute", QStringLiteral("開く…"), QKeySequence::Open, this, &RouteFileCommands::openRoute);
    addCommand(menu, "saveRoute", QStringLiteral("上書き保存"), QKeySequence::Save, this, &RouteFileCommands::saveRoute);
    addCommand(menu, "saveRouteAs", QStringLiteral("名前を付けて保存…"), QKeySequence::SaveAs,
               this, &RouteFileCommands::saveRouteAs);
    menu.addSeparator();
    recentMenu_ = menu.addMenu(QStringLiteral("最近使ったファイル"));
    recentMenu_->setObjectName(QStringLiteral("recentRouteMenu"));
    connect(recentMenu_, &QMenu::aboutToShow, this, &RouteFileCommands::fillRecentMenu);
    fillRecentMenu();
    menu.addSeparator();
    addCommand(menu, "readIpTable", QStringLiteral("IP 表（CSV）の読み込み…"), QKeySequence(),
               this, &RouteFileCommands::readIpTable);
}

std::string RouteFileCommands::currentText() const {
    return kr::routeFileText(document_.settings(), document_.points());
}

bool RouteFileCommands::isModified() const { return currentText() != saved_; }

void RouteFileCommands::updateTitle() { showDocumentTitle(window_, file_, isModified(), routeWindowTitle()); }

bool RouteFileCommands::maySetAsideChanges() {
    return rovena::maySetAsideChanges(dialogs_, file_, isModified(), [this] { return saveRoute(); });
}

QString RouteFileCommands::outputFolder() const { return file_.folder(); }

QString RouteFileCommands::outputBaseName() const {
    return file_.path.isEmpty() ? QStringLiteral("無題") : QFileInfo(file_.path).completeBaseName();
}

void RouteFileCommands::newRoute() {
    if (!maySetAsideChanges()) return;
    document_.load(kr::RouteSettings{}, newRoutePoints());
    file_.path.clear();
    notRouteFile_ = false;
    saved_ = currentText();
    updateTitle();
    emit routeReplaced();
}

bool RouteFileCommands::readFile(const QString &path, ReadRoute &read) {
    std::string content, problem;
    const QString shown = QDir::toNativeSeparators(path);
    if (!kr::readInputFile(QFile::encodeName(path).constData(), kr::kLargestInputFile, content, problem)) {
        dialogs_.message(QStringLiteral("%1 を開けません: %2。").arg(shown, QString::fromStdString(problem)),
                         programTitle(), MessageIcon::None);
        return false;
    }
    const kr::InputKind kind = kr::inputKind(content);
    if (kind == kr::InputKind::LandXml) return readLandXml(path, read);
    read.routeFile = kind == kr::InputKind::RouteFile;
    return readRouteText(shown, content, read);
}

bool RouteFileCommands::readRouteText(const QString &shown, const std::string &content, ReadRoute &read) {
    if (kr::readRouteOrIpTable(content, read.route)) return true;
    const QString reason = read.route.messages.empty() ? QString() : QString::fromStdString(read.route.messages.front().text);
    dialogs_.message(QStringLiteral("%1 を読めません。\n%2").arg(shown, reason), programTitle(), MessageIcon::None);
    return false;
}

// The library lists the file's alignments and writes the one chosen as a
// route file in this window's own folder, which is then read as any other;
// the library shows why when it cannot.
bool RouteFileCommands::readLandXml(const QString &path, ReadRoute &read) {
    const QString list = work_.filePath(QStringLiteral("alignments.txt"));
    const QString route = work_.filePath(QStringLiteral("landxml.rvr"));
    QFile::remove(list);
    QFile::remove(route);
    if (!work_.isValid() || !library_.korvane_landxml_alignments(QFile::encodeName(path), QFile::encodeName(list)))
        return false;
    QFile listFile(list);
    if (!listFile.open(QIODevice::ReadOnly)) return false;
    QStringList names = QString::fromUtf8(listFile.readAll()).split(QLatin1Char('\n'));
    names.removeLast(); // after the last line end
    QString name; // the file's only one
    if (names.size() > 1) {
        const std::optional<int> chosen =
            dialogs_.askChoice(QStringLiteral("%1 の線形を選んでください。").arg(QFileInfo(path).fileName()), names);
        if (!chosen) return false;
        name = names.at(*chosen);
    }
    if (!library_.korvane_landxml_to_route(QFile::encodeName(path), name.toUtf8(), QFile::encodeName(route)))
        return false;
    std::string content, problem;
    if (!kr::readInputFile(QFile::encodeName(route).constData(), kr::kLargestInputFile, content, problem)) return false;
    read.routeFile = false;
    return readRouteText(QDir::toNativeSeparators(path), content, read);
}

bool RouteFileCommands::openRouteFile(const QString &path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    ReadRoute read;
    if (!readFile(path, read)) {
        recent_.forget(absolute);
        return false;
    }
    document_.load(std::move(read.route.settings), std::move(read.route.ips));
    file_ = DocumentFile{absolute, true};
    notRouteFile_ = !read.routeFile;
    saved_ = currentText();
    recent_.remember(absolute);
    updateTitle();
    emit routeReplaced();
    return true;
}

void RouteFileCommands::openWithQuestion(const QString &path) {
    if (maySetAsideChanges()) openRouteFile(path);
}

void RouteFileCommands::openRoute() {
    if (!maySetAsideChanges()) return;
    const QString path = dialogs_.openFileName(outputFolder(), kOpenFilter);
    if (!path.isEmpty()) openRouteFile(path);
}

bool RouteFileCommands::saveRoute() {
    if (file_.path.isEmpty() || notRouteFile_) return saveRouteAs();
    return writeRoute(file_.path);
}

bool RouteFileCommands::saveRouteAs() {
    const QString path =
        dialogs_.saveFileAs(file_.saveSuggestion(QStringLiteral("rvr"), notRouteFile_), kRouteFilter, QStringLiteral("rvr"));
    return !path.isEmpty() && writeRoute(path);
}

bool RouteFileCommands::writeRoute(const QString &path) {
    if (!kr::saveRouteFile(document_.settings(), document_.points(), QFile::encodeName(path).constData())) {
        dialogs_.message(QStringLiteral("ファイルを保存できません: %1").arg(QDir::toNativeSeparators(path)),
                         programTitle(), MessageIcon::None);
        return false;
    }
    file_ = DocumentFile{QFileInfo(path).absoluteFilePath(), true};
    notRouteFile_ = false;
    saved_ = currentText();
    recent_.remember(file_.path);
    updateTitle();
    return true;
}

void RouteFileCommands::readIpTable() {
    const QString path = dialogs_.openFileName(outputFolder(), kIpTableFilter);
    if (path.isEmpty()) return;
    ReadRoute read;
    if (readFile(path, read)) document_.replacePoints(std::move(read.route.ips));
}

void RouteFileCommands::fillRecentMenu() {
    recent_.fillMenu(*recentMenu_, [this](const QString &path) { openWithQuestion(path); });
}

} // namespace rovena
