// The window in which Rovena shows its HTML help page, so that no web browser
// is needed.
#pragma once

#include <QString>

class QTextBrowser;
class QWidget;

namespace rovena {

// A help window of owner (a separate top-level window, closed with it).
QTextBrowser *createHelpWindow(QWidget *owner);

// Shows the page in the window and raises it; false when the file cannot be read.
bool showHelpPage(QTextBrowser *window, const QString &file);

} // namespace rovena
