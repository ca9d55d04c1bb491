// Draws the main window, with the menus the program gives it, into a PNG
// file: rovena_screenshot OUTPUT.png
#include <QApplication>
#include <QPixmap>

#include "preview_menu.h"
#include "preview_window.h"
#include "session.h"
#include "user_dialogs.h"
#include "world_placement.h"

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) return 2;
    rovena::Session session;
    rovena::MainForm &form = session.form();
    rovena::preview::PreviewWindow preview(&form);
    rovena::attachPreview(form, session.drawing(), preview);
    rovena::QtUserDialogs dialogs(&form);
    rovena::WorldPlacement placement(form, session.drawing(), session.designFiles(), dialogs);
    rovena::attachWorldPlacement(form, placement, dialogs);
    form.show();
    QApplication::processEvents();
    return form.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
