// The menu item "ヘルプ": shows the help page in the help window, or says
// that there is none.
#include "help.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextBrowser>

#include "data_files.h"
#include "help_window.h"
#include "main_form.h"

#ifndef ROVENA_HELP_FILE
#define ROVENA_HELP_FILE ""
#endif

namespace rovena {

QString builtInHelpFile() {
    const QString path = QString::fromUtf8(ROVENA_HELP_FILE);
    if (path.isEmpty() || QDir::isAbsolutePath(path)) return path;
    return shippedDataFile(path);
}

void MainForm::showHelp() {
    if (helpFile_.isEmpty()) {
        dialogs().message(QStringLiteral("ﾍﾙﾌﾟの目次を表示できません。 このﾌﾟﾛｼﾞｪｸﾄに関連付けられたﾍﾙﾌﾟが存在しません。"),
                          windowTitle(), MessageIcon::Information);
        return;
    }
    // The page opens in Rovena's own help window, which says when it cannot
    // read the file.
    if (!helpWindow_) helpWindow_ = createHelpWindow(this);
    if (!showHelpPage(helpWindow_, helpFile_))
        dialogs().message(QStringLiteral("ヘルプを表示できません。\n%1").arg(QDir::toNativeSeparators(helpFile_)),
                          programTitle(), MessageIcon::None);
}

} // namespace rovena
