#include "preview_menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "create_dxf_command.h"
#include "main_form.h"
#include "preview_window.h"
#include "route_window.h"
#include "screen_placement.h"

namespace rovena {

void attachPreview(MainForm &form, CreateDxfCommand &drawing, preview::PreviewWindow &window) {
    // "表示" stands after "ファイル", before the existing menus "ヘルプ" and "終了".
    QMenuBar *bar = form.menuBar();
    auto *view = new QMenu(QStringLiteral("表示"), bar);
    view->setObjectName(QStringLiteral("viewMenu"));
    const QList<QAction *> menus = bar->actions();
    const bool fileFirst = !menus.isEmpty() && menus[0]->menu() && menus[0]->menu()->objectName() == u"fileMenu";
    bar->insertMenu(menus.value(fileFirst ? 1 : 0), view);

    QAction *show = view->addAction(QStringLiteral("ＤＸＦプレビュー"));
    show->setObjectName(QStringLiteral("showPreview"));
    show->setEnabled(false); // nothing drawn yet in this run
    // The preview opens within the screen, over the form.
    const auto open = [&window, &form](const QString &path) {
        if (!window.isVisible()) placeWithinScreen(window, form);
        window.openDrawing(path);
    };
    QObject::connect(show, &QAction::triggered, &window, [&window, open] { open(window.drawingPath()); });

    drawing.setDrawingWrittenHook([&window, show, open](const QString &path) {
        show->setEnabled(true);
        // Read in the background: a big drawing never freezes the form.
        if (window.autoOpen()) open(path);
        else window.startLoading(path);
    });
}

void attachRoutePlanPreview(RouteWindow &route, preview::PreviewWindow &window) {
    route.outputs().setPlanWrittenHook([&route, &window](const QString &path) {
        if (!window.isVisible()) placeWithinScreen(window, route);
        window.openDrawing(path);
    });
}

} // namespace rovena
