// Rovena: the window in which a road curve is entered and drawn as DXF.
// "rovena FILE" opens the design file (or parameter file) FILE at start-up.
#include <QApplication>

#include "export_pdf_command.h"
#include "japanese_translation.h"
#include "preview_menu.h"
#include "preview_window.h"
#include "session.h"
#include "user_dialogs.h"
#include "world_placement.h"

int main(int argc, char *argv[]) {
    if (rovena::isExportPdfCommand(argc, argv)) return rovena::exportPdfMain(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Rovena"));
    QApplication::setApplicationDisplayName(rovena::programTitle());
    // Without the translation installed, Qt's dialogs stay in English.
    rovena::installJapaneseTranslation(app);
    rovena::Session session;
    rovena::MainForm &form = session.form();
    rovena::preview::PreviewWindow preview(&form);
    rovena::attachPreview(form, session.drawing(), preview);
    rovena::QtUserDialogs placementDialogs(&form);
    rovena::WorldPlacement placement(form, session.drawing(), session.designFiles(), placementDialogs);
    rovena::attachWorldPlacement(form, placement, placementDialogs);
    form.show();
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) session.designFiles().openDesignFile(arguments.at(1));
    return app.exec();
}
