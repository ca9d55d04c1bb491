#include "batch_command.h"

#include <QApplication>
#include <cstring>

namespace rovena {

bool isBatchCommand(int argc, char **argv, const char *word) { return argc > 1 && std::strcmp(argv[1], word) == 0; }

int runBatchCommand(int argc, char **argv, int (*command)(const QStringList &arguments, QTextStream &errors)) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments().mid(2);
    QTextStream errors(stderr);
    return command(arguments, errors);
}

} // namespace rovena
