#include "route_menu.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include "curve_design.h"
#include "data_files.h"
#include "design/key_value_text.h"
#include "design_file_commands.h"
#include "main_form.h"
#include "route/text_input.h"
#include "route_window.h"

namespace rovena {

namespace {

// Before the main window closes (which ends the program), the route window
// asks about its changes; it closes with the main window.
class RouteClosing : public QObject {
public:
    RouteClosing(MainForm &form, RouteWindow &window) : QObject(&form), form_(form), window_(window) {
        form.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched != &form_ || event->type() != QEvent::Close) return false;
        if (!window_.files().maySetAsideChanges()) {
            event->ignore();
            return true;
        }
        // The form may still keep itself open (its own question); the route
        // window goes only when it did close.
        QTimer::singleShot(0, &window_, [this] {
            if (!form_.isVisible()) window_.hide();
        });
        return false;
    }

private:
    MainForm &form_;
    RouteWindow &window_;
};

void showWindow(RouteWindow &window) {
    window.show();
    window.raise();
    window.activateWindow();
}

QMenu *routeMenu(MainForm &form) {
    QMenuBar *bar = form.menuBar();
    auto *menu = new QMenu(QStringLiteral("路線"), bar);
    menu->setObjectName(QStringLiteral("routeMenu"));
    // After the menus ファイル and 座標, before the others.
    QAction *before = nullptr;
    const QList<QAction *> menus = bar->actions();
    for (int i = 0; i < menus.size(); ++i) {
        const QString name = menus[i]->menu() ? menus[i]->menu()->objectName() : QString();
        if (name == u"fileMenu" || name == u"placementMenu") before = menus.value(i + 1);
    }
    bar->insertMenu(before ? before : menus.value(0), menu);
    return menu;
}

} // namespace

void attachRouteWindow(MainForm &form, DesignFileCommands &designFiles, RouteWindow &window) {
    QMenu *menu = routeMenu(form);
    QAction *show = menu->addAction(QStringLiteral("路線ウィンドウ"));
    show->setObjectName(QStringLiteral("showRouteWindow"));
    QObject::connect(show, &QAction::triggered, &window, [&window] { showWindow(window); });
    QAction *open = menu->addAction(QStringLiteral("路線を開く…"));
    open->setObjectName(QStringLiteral("openRouteFile"));
    QObject::connect(open, &QAction::triggered, &window, [&window] {
        showWindow(window);
        window.files().openRoute();
    });
    QAction *sample = menu->addAction(QStringLiteral("サンプル路線"));
    sample->setObjectName(QStringLiteral("openSampleRoute"));
    QObject::connect(sample, &QAction::triggered, &window, [&window] {
        showWindow(window);
        if (window.files().maySetAsideChanges()) window.files().openRouteFile(shippedDataFile(QStringLiteral("sample_route.rvr")));
    });

    window.setDrawCurveHandler([&form, &designFiles](const ComputedRoute &route, int row) {
        const std::optional<CurveDesign> design = curveDesign(route, row, form.typedDesignTexts());
        if (!design) return;
        if (!designFiles.takeNewDesign({design->texts, design_model::placementLines(design->placement)})) return;
        form.show();
        form.raise();
        form.activateWindow();
    });
    new RouteClosing(form, window);
}

bool isRouteInput(const QString &path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"rvr" || suffix == u"csv" || suffix == u"xml") return true;
    std::string content, problem;
    if (!korvane::route::readInputFile(QFile::encodeName(path).constData(), korvane::route::kLargestInputFile, content,
                                       problem))
        return false;
    for (const design_model::KeyValueSection &section : design_model::readKeyValueText(content))
        if (!section.name.empty()) return section.name == "route";
    return false;
}

} // namespace rovena
