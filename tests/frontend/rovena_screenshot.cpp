// Draws the main window into a PNG file: rovena_screenshot OUTPUT.png
#include <QApplication>
#include <QPixmap>

#include "main_form.h"

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) return 2;
    rovena::MainForm form;
    form.show();
    QApplication::processEvents();
    return form.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
