// Draws the main window, with the menus the program gives it, into a PNG
// file: rovena_screenshot OUTPUT.png
#include <QApplication>
#include <QPixmap>

#include "program_windows.h"

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) return 2;
    rovena::ProgramWindows windows;
    windows.form().show();
    QApplication::processEvents();
    return windows.form().grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
