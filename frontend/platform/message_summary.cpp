#include "message_summary.h"

#include <QHash>

namespace rovena {

QStringList summarisedMessages(const QStringList &messages) {
    QStringList distinct;
    QHash<QString, int> counts;
    for (const QString &text : messages)
        if (counts[text]++ == 0) distinct << text;
    QStringList shown;
    for (const QString &text : distinct) {
        const int count = counts.value(text);
        shown << (count == 1 ? text : QStringLiteral("%1\n（同じメッセージが計 %2 回ありました。）").arg(text).arg(count));
    }
    return shown;
}

} // namespace rovena
