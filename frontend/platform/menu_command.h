// A command of a menu, the same in every window's menus.
#pragma once

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QString>

namespace rovena {

// Adds an action with its object name (by which the tests find it), text
// and shortcut to menu; choosing it calls slot on receiver.
template <typename Receiver, typename Slot>
QAction *addCommand(QMenu &menu, const char *name, const QString &text, const QKeySequence &keys, Receiver *receiver,
                    Slot slot) {
    QAction *action = menu.addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(keys);
    QObject::connect(action, &QAction::triggered, receiver, slot);
    return action;
}

} // namespace rovena
