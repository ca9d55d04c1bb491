// The menu 出力 of the route window: the route's coordinate table, width
// stakes, SIMA file and J-LandXML, written by the library's route exports,
// exactly as korvane-route writes them. The route as it stands in the
// window goes to the library as a route file in a folder of this window's
// own; the library's refusals and warnings are shown after each call.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <functional>

class QMenu;

namespace rovena {

class LibraryBinding;
class RouteDocument;
class UserDialogs;

class RouteOutputs {
public:
    RouteOutputs(RouteDocument &document, LibraryBinding &library, UserDialogs &dialogs);

    bool writeTable(const QString &path, bool utf8WithBom);
    bool writeStakes(const QString &path, bool utf8WithBom);
    bool writeSima(const QString &path);
    bool writeLandXml(const QString &path);

    // The route as it stands, written as a route file for the exports;
    // empty after a message.
    QByteArray routeFile();
    LibraryBinding &library() { return library_; }

    // Adds the items to the menu 出力: each asks for the file (starting in
    // the folder folder gives), writes it and says so.
    void addTo(QMenu &menu, std::function<QString()> folder);

private:
    RouteDocument &document_;
    LibraryBinding &library_;
    UserDialogs &dialogs_;
    QTemporaryDir folder_;
};

} // namespace rovena
