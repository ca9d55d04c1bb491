// A batch command of rovena (--export-pdf, --export-sheet-pdf): run as a
// program of its own, without a window.
#pragma once

#include <QStringList>
#include <QTextStream>

namespace rovena {

// Whether argv[1] is the command word.
bool isBatchCommand(int argc, char **argv, const char *word);

// Starts the application offscreen when there is no display and runs
// command on the arguments after the command word, with the standard error
// for its reasons; its result is the exit status.
int runBatchCommand(int argc, char **argv, int (*command)(const QStringList &arguments, QTextStream &errors));

} // namespace rovena
