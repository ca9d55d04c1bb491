// The menu "座標": the dialog 座標配置 and the two outputs of the placed curve.
#include <QAction>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <functional>

#include "main_form.h"
#include "user_dialogs.h"
#include "world_placement.h"
#include "world_placement_dialog.h"

namespace rovena {

namespace {

void writeOutput(UserDialogs &dialogs, const QString &filter, const std::function<bool(const QString &)> &write,
                 const QString &done) {
    const QString path = dialogs.saveFileName(QDir::homePath(), filter);
    if (path.isEmpty()) return;
    if (write(path)) dialogs.message(done, programTitle(), MessageIcon::None);
}

} // namespace

void attachWorldPlacement(MainForm &form, WorldPlacement &placement, UserDialogs &dialogs) {
    QMenuBar *bar = form.menuBar();
    auto *menu = new QMenu(QStringLiteral("座標"), bar);
    menu->setObjectName(QStringLiteral("placementMenu"));
    // After the menu ファイル, before the others.
    const QList<QAction *> menus = bar->actions();
    const bool fileFirst = !menus.isEmpty() && menus.first()->text() == QStringLiteral("ファイル");
    bar->insertMenu(menus.value(fileFirst ? 1 : 0), menu);

    QAction *edit = menu->addAction(QStringLiteral("座標配置..."));
    edit->setObjectName(QStringLiteral("editPlacement"));
    QAction *table = menu->addAction(QStringLiteral("座標表の出力 (Shift-JIS)..."));
    table->setObjectName(QStringLiteral("writeTable"));
    QAction *tableUtf8 = menu->addAction(QStringLiteral("座標表の出力 (UTF-8)..."));
    tableUtf8->setObjectName(QStringLiteral("writeTableUtf8"));
    QAction *landXml = menu->addAction(QStringLiteral("J-LandXML の出力..."));
    landXml->setObjectName(QStringLiteral("writeLandXml"));
    const auto enableOutputs = [=, &placement] {
        for (QAction *a : {table, tableUtf8, landXml}) a->setEnabled(placement.entry().given());
    };
    enableOutputs();
    QObject::connect(&placement, &WorldPlacement::entryChanged, menu, enableOutputs);

    QObject::connect(edit, &QAction::triggered, &form, [&form, &placement] {
        PlacementDialog dialog(placement.entry(), &form);
        if (dialog.exec() == QDialog::Accepted) placement.setEntry(dialog.entry());
    });
    const QString csv = QStringLiteral("座標表 (*.csv)");
    const QString done = QStringLiteral("座標表を作成しました。");
    QObject::connect(table, &QAction::triggered, &form, [&, csv, done] {
        writeOutput(dialogs, csv, [&](const QString &p) { return placement.writeCoordinateTable(p, false); },
                    done);
    });
    QObject::connect(tableUtf8, &QAction::triggered, &form, [&, csv, done] {
        writeOutput(dialogs, csv, [&](const QString &p) { return placement.writeCoordinateTable(p, true); },
                    done);
    });
    QObject::connect(landXml, &QAction::triggered, &form, [&] {
        writeOutput(dialogs, QStringLiteral("J-LandXML (*.xml)"),
                    [&](const QString &p) { return placement.writeLandXml(p); },
                    QStringLiteral("J-LandXML を作成しました。"));
    });
}

} // namespace rovena
