// Draws the main window into a PNG file: rovena_screenshot OUTPUT.png
#include <QApplication>
#include <QPixmap>

#include "session.h"

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) return 2;
    rovena::Session session;
    session.form().show();
    QApplication::processEvents();
    return session.form().grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
