// The menu item "ヘルプ": the help page in Rovena's own help window, or a
// message that the program has no help.
#pragma once

#include <QString>

class QTextBrowser;
class QWidget;

namespace rovena {

class UserDialogs;

// The built-in help-file path: empty when the program was built without
// help; a relative path names a shipped data file (beside the executable,
// or in the installation's data folder).
QString builtInHelpFile();

class HelpCommand {
public:
    // owner: the window whose caption titles the message and which the help
    // window belongs to.
    HelpCommand(QWidget &owner, UserDialogs &dialogs);

    // The help file; empty means the program has no help.
    void setHelpFile(const QString &path) { helpFile_ = path; }

    void run();

private:
    QWidget &owner_;
    UserDialogs &dialogs_;
    QString helpFile_;
    QTextBrowser *window_ = nullptr;
};

} // namespace rovena
