#include "help_window.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>

#include "screen_placement.h"

namespace rovena {

QTextBrowser *createHelpWindow(QWidget *owner) {
    auto *window = new QTextBrowser(owner);
    window->setWindowFlag(Qt::Window);
    window->setObjectName(QStringLiteral("helpWindow"));
    window->setWindowTitle(QStringLiteral("Rovena ヘルプ"));
    window->setOpenExternalLinks(true);
    window->resize(760, 640);
    return window;
}

bool showHelpPage(QTextBrowser *window, const QString &file) {
    const QFileInfo info(file);
    if (!info.isFile() || !info.isReadable()) return false;
    window->setSource(QUrl::fromLocalFile(info.absoluteFilePath()), QTextDocument::HtmlResource);
    if (window->toPlainText().isEmpty()) return false;
    if (!window->isVisible() && window->parentWidget()) placeWithinScreen(*window, *window->parentWidget());
    window->show();
    window->raise();
    window->activateWindow();
    return true;
}

} // namespace rovena
