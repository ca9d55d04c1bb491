#include "help_command.h"

#include <QDir>
#include <QTextBrowser>

#include "data_files.h"
#include "help_window.h"
#include "user_dialogs.h"

#ifndef ROVENA_HELP_FILE
#define ROVENA_HELP_FILE ""
#endif

namespace rovena {

QString builtInHelpFile() {
    const QString path = QString::fromUtf8(ROVENA_HELP_FILE);
    if (path.isEmpty() || QDir::isAbsolutePath(path)) return path;
    return shippedDataFile(path);
}

HelpCommand::HelpCommand(QWidget &owner, UserDialogs &dialogs)
    : owner_(owner), dialogs_(dialogs), helpFile_(builtInHelpFile()) {}

void HelpCommand::run() {
    if (helpFile_.isEmpty()) {
        dialogs_.message(QStringLiteral("ﾍﾙﾌﾟの目次を表示できません。 このﾌﾟﾛｼﾞｪｸﾄに関連付けられたﾍﾙﾌﾟが存在しません。"),
                         owner_.windowTitle(), MessageIcon::Information);
        return;
    }
    // The page opens in Rovena's own help window, which says when it cannot
    // read the file.
    if (!window_) window_ = createHelpWindow(&owner_);
    if (!showHelpPage(window_, helpFile_))
        dialogs_.message(QStringLiteral("ヘルプを表示できません。\n%1").arg(QDir::toNativeSeparators(helpFile_)),
                         programTitle(), MessageIcon::None);
}

} // namespace rovena
