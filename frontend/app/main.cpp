// Rovena: the window in which a road curve is entered and drawn as DXF.
// "rovena FILE" opens the design file (or parameter file) FILE at start-up,
// or a route file, an IP table (.csv) or a LandXML file (.xml) in the route
// window.
#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstring>

#include "export_pdf_command.h"
#include "export_sheet_pdf_command.h"
#include "japanese_translation.h"
#include "program_windows.h"

namespace {

constexpr const char *kUsageHead = "usage: rovena [FILE]\n       ";
constexpr const char *kUsageBody =
    "\n       rovena --help | --version\n"
    "Opens the window with the design file (.rvd) or parameter file FILE, else\n"
    "with the sample design; a route file (.rvr), an IP table (.csv) or a LandXML\n"
    "file (.xml) opens in the route window. With --export-pdf no window opens:\n"
    "the DXF drawing is written as a PDF; with --export-sheet-pdf the calculation\n"
    "sheet of the route file or IP table ROUTE is written as an A4 PDF. Exit\n"
    "status 0 when it was written, 1 when it could not be, 2 for a wrong command\n"
    "line. Qt's options such as -platform apply.\n";

bool isOption(const char *argument, const char *longName, const char *shortName) {
    return std::strcmp(argument, longName) == 0 || (shortName && std::strcmp(argument, shortName) == 0);
}

// Answers --help and --version before the window system starts, so that they
// work without a display: the text goes to standard output and the status is
// 0. -1 when the command line asks for something else.
int answerInformationOption(int argc, char **argv) {
    if (argc < 2) return -1;
    if (isOption(argv[1], "--help", "-h")) {
        std::printf("%s%s\n       %s%s", kUsageHead, rovena::kExportPdfCommandLine, rovena::kExportSheetPdfCommandLine,
                    kUsageBody);
        return 0;
    }
    if (isOption(argv[1], "--version", nullptr)) {
        std::printf("rovena %s\n", ROVENA_VERSION);
        return 0;
    }
    return -1;
}

} // namespace

int main(int argc, char *argv[]) {
    if (const int status = answerInformationOption(argc, argv); status >= 0) return status;
    if (rovena::isExportPdfCommand(argc, argv)) return rovena::exportPdfMain(argc, argv);
    if (rovena::isExportSheetPdfCommand(argc, argv)) return rovena::exportSheetPdfMain(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Rovena"));
    QApplication::setApplicationDisplayName(rovena::programTitle());
    // The window belongs to its desktop entry (the dock's match, Wayland's
    // app id) and shows the entry's icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(ROVENA_APP_ID));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/" ROVENA_APP_ID ".png")));
    // Without the translation installed, Qt's dialogs stay in English.
    rovena::installJapaneseTranslation(app);
    rovena::ProgramWindows windows;
    windows.form().show();
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) windows.open(arguments.at(1));
    return app.exec();
}
