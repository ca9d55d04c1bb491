#include "route_outputs.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>

#include "data_files.h"
#include "library_binding.h"
#include "route/route_file.h"
#include "route_document.h"
#include "user_dialogs.h"

namespace rovena {

RouteOutputs::RouteOutputs(RouteDocument &document, LibraryBinding &library, UserDialogs &dialogs)
    : document_(document), library_(library), dialogs_(dialogs),
      headerFile_(shippedDataFile(QStringLiteral("aln_hdr_.dxf"))) {}

QByteArray RouteOutputs::routeFile() {
    const QByteArray path = QFile::encodeName(folder_.filePath(QStringLiteral("route.rvr")));
    if (folder_.isValid() &&
        korvane::route::saveRouteFile(document_.settings(), document_.points(), path.constData()))
        return path;
    dialogs_.message(QStringLiteral("路線を一時ファイルに書き込めません。"), programTitle(), MessageIcon::None);
    return {};
}

bool RouteOutputs::writeTable(const QString &path, bool utf8WithBom) {
    const QByteArray route = routeFile();
    return !route.isEmpty() && library_.korvane_route_table(route, QFile::encodeName(path), utf8WithBom);
}

bool RouteOutputs::writeStakes(const QString &path, bool utf8WithBom) {
    const QByteArray route = routeFile();
    return !route.isEmpty() && library_.korvane_route_stakes(route, QFile::encodeName(path), utf8WithBom);
}

bool RouteOutputs::writeSima(const QString &path) {
    const QByteArray route = routeFile();
    return !route.isEmpty() && library_.korvane_route_sima(route, QFile::encodeName(path));
}

bool RouteOutputs::writeLandXml(const QString &path) {
    const QByteArray route = routeFile();
    return !route.isEmpty() && library_.korvane_route_landxml(route, QFile::encodeName(path));
}

bool RouteOutputs::writePlan(const QString &path, int scale) {
    const QByteArray route = routeFile();
    return !route.isEmpty() &&
           library_.korvane_route_plan(route, QFile::encodeName(path), QFile::encodeName(headerFile_), scale);
}

void RouteOutputs::addPlanTo(QMenu &menu, std::function<QString()> suggestion) {
    QAction *action = menu.addAction(QStringLiteral("平面図 (DXF)…"));
    action->setObjectName(QStringLiteral("writeRoutePlan"));
    QObject::connect(action, &QAction::triggered, &menu, [this, suggestion] {
        // The library's range of scales.
        const std::optional<int> scale = dialogs_.askNumber(QStringLiteral("平面図の縮尺 1/"), planScale_, 1, 100000);
        if (!scale) return;
        planScale_ = *scale;
        const QString path = dialogs_.saveFileAs(suggestion(), QStringLiteral("DXF (*.dxf)"), QStringLiteral("dxf"));
        if (path.isEmpty() || !writePlan(path, *scale)) return;
        dialogs_.message(QStringLiteral("平面図を作成しました: %1").arg(QDir::toNativeSeparators(path)), programTitle(),
                         MessageIcon::None);
        if (planWritten_) planWritten_(path);
    });
}

void RouteOutputs::addTo(QMenu &menu, std::function<QString()> folder) {
    struct Item {
        const char *name;
        QString text, filter, done;
        std::function<bool(const QString &)> write;
    };
    const QString csv = QStringLiteral("CSV (*.csv)");
    const QString table = QStringLiteral("座標表を作成しました。"), stakes = QStringLiteral("幅杭表を作成しました。");
    const Item items[] = {
        {"writeRouteTable", QStringLiteral("座標表 (Shift-JIS)…"), csv, table, [this](const QString &p) { return writeTable(p, false); }},
        {"writeRouteTableUtf8", QStringLiteral("座標表 (UTF-8)…"), csv, table, [this](const QString &p) { return writeTable(p, true); }},
        {"writeRouteStakes", QStringLiteral("幅杭表 (Shift-JIS)…"), csv, stakes, [this](const QString &p) { return writeStakes(p, false); }},
        {"writeRouteStakesUtf8", QStringLiteral("幅杭表 (UTF-8)…"), csv, stakes, [this](const QString &p) { return writeStakes(p, true); }},
        {"writeRouteSima", QStringLiteral("SIMA…"), QStringLiteral("SIMA (*.sim)"), QStringLiteral("SIMA ファイルを作成しました。"),
         [this](const QString &p) { return writeSima(p); }},
        {"writeRouteLandXml", QStringLiteral("J-LandXML…"), QStringLiteral("J-LandXML (*.xml)"),
         QStringLiteral("J-LandXML を作成しました。"), [this](const QString &p) { return writeLandXml(p); }},
    };
    for (const Item &item : items) {
        QAction *action = menu.addAction(item.text);
        action->setObjectName(QString::fromLatin1(item.name));
        QObject::connect(action, &QAction::triggered, &menu, [this, item, folder] {
            const QString path = dialogs_.saveFileName(folder(), item.filter);
            if (!path.isEmpty() && item.write(path)) dialogs_.message(item.done, programTitle(), MessageIcon::None);
        });
    }
}

} // namespace rovena
