// The menu item "ヘルプ": shows the help page, or says that there is none.
#include "help.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

#include "data_files.h"
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
    // A missing or unreadable file is the viewer's to report; only a viewer
    // that cannot be started at all is reported here.
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(helpFile_)))
        dialogs().message(QStringLiteral("ヘルプを表示できません。\n%1").arg(QDir::toNativeSeparators(helpFile_)),
                          programTitle(), MessageIcon::None);
}

} // namespace rovena
