// Rovena: the window in which a road curve is entered and drawn as DXF.
#include <QApplication>

#include "main_form.h"
#include "preview_menu.h"
#include "preview_window.h"
#include "user_dialogs.h"
#include "world_placement.h"

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Rovena"));
    QApplication::setApplicationDisplayName(rovena::programTitle());
    rovena::MainForm form;
    rovena::preview::PreviewWindow preview(&form);
    rovena::attachPreview(form, preview);
    rovena::QtUserDialogs placementDialogs(&form);
    rovena::WorldPlacement placement(form, placementDialogs);
    rovena::attachWorldPlacement(form, placement, placementDialogs);
    form.show();
    return app.exec();
}
