// Rovena: the window in which a road curve is entered and drawn as DXF.
#include <QApplication>

#include "export_pdf_command.h"
#include "main_form.h"
#include "preview_menu.h"
#include "preview_window.h"

int main(int argc, char *argv[]) {
    if (rovena::isExportPdfCommand(argc, argv)) return rovena::exportPdfMain(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Rovena"));
    QApplication::setApplicationDisplayName(rovena::programTitle());
    rovena::MainForm form;
    rovena::preview::PreviewWindow preview(&form);
    rovena::attachPreview(form, preview);
    form.show();
    return app.exec();
}
