// Rovena: the window in which a road curve is entered and drawn as DXF.
#include <QApplication>

#include "main_form.h"

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Rovena"));
    QApplication::setApplicationDisplayName(rovena::programTitle());
    rovena::MainForm form;
    form.show();
    return app.exec();
}
