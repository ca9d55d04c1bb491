// The menu 出力 of the route window: the route's coordinate table, width
// stakes, SIMA file, J-LandXML and plan drawing (平面図), written by the
// library's route exports,
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
    // The plan drawing, its texts sized for 1/scale.
    bool writePlan(const QString &path, int scale);

    // The plan's header template (aln_hdr_.dxf), the shipped one unless set.
    void setHeaderFile(const QString &path) { headerFile_ = path; }
    // Called with the path of each plan drawing written from the menu (to
    // open it in the preview).
    void setPlanWrittenHook(std::function<void(const QString &)> hook) { planWritten_ = std::move(hook); }

    // The route as it stands, written as a route file for the exports;
    // empty after a message.
    QByteArray routeFile();
    LibraryBinding &library() { return library_; }

    // Adds the items to the menu 出力: each asks for the file (starting in
    // the folder folder gives), writes it and says so.
    void addTo(QMenu &menu, std::function<QString()> folder);
    // Adds 平面図 (DXF)…: asks for the scale and the file (suggested: the
    // path suggestion gives), writes it, says where and hands it to the hook.
    void addPlanTo(QMenu &menu, std::function<QString()> suggestion);

private:
    RouteDocument &document_;
    LibraryBinding &library_;
    UserDialogs &dialogs_;
    QTemporaryDir folder_;
    QString headerFile_;
    std::function<void(const QString &)> planWritten_;
    int planScale_ = 1000;
};

} // namespace rovena
