#include "design_value.h"

namespace rovena {

namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

QString trimBlanks(const QString &text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    return text.mid(begin, end - begin);
}

bool needsQuotes(const QString &value) {
    if (value.isEmpty()) return false;
    if (value.front().isSpace() || value.back().isSpace() || value.front() == u'"') return true;
    for (QChar c : value)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) return true;
    return false;
}

QString escaped(QChar c) {
    switch (c.unicode()) {
    case u'"': return QStringLiteral("\\\"");
    case u'\\': return QStringLiteral("\\\\");
    case u'\n': return QStringLiteral("\\n");
    case u'\r': return QStringLiteral("\\r");
    case u'\t': return QStringLiteral("\\t");
    default: return QString(c);
    }
}

// The character an escape "\c" stands for; a null QChar for an unknown one.
QChar unescaped(QChar c) {
    switch (c.unicode()) {
    case u'"': return u'"';
    case u'\\': return u'\\';
    case u'n': return u'\n';
    case u'r': return u'\r';
    case u't': return u'\t';
    default: return QChar();
    }
}

bool unquote(const QString &text, QString &value, QString &error) {
    value.clear();
    for (qsizetype i = 1; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'"') {
            if (i + 1 == text.size()) return true;
            error = QStringLiteral("閉じる引用符の後に余分な文字があります。");
            return false;
        }
        if (c != u'\\') {
            value += c;
            continue;
        }
        const QChar e = i + 1 < text.size() ? unescaped(text[i + 1]) : QChar();
        if (e.isNull()) {
            error = QStringLiteral("引用符の中に使えない \\ があります (使えるのは \\\" \\\\ \\n \\r \\t)。");
            return false;
        }
        value += e;
        ++i;
    }
    error = QStringLiteral("引用符で始まる値が閉じていません。");
    return false;
}

} // namespace

QString designValueText(const QString &value) {
    if (!needsQuotes(value)) return value;
    QString quoted(u'"');
    for (QChar c : value) quoted += escaped(c);
    return quoted + u'"';
}

bool parseDesignLine(const QString &line, DesignLine &parsed, QString &error) {
    const QString text = trimBlanks(line);
    parsed = DesignLine();
    if (text.isEmpty() || text.front() == u'#' || text.front() == u';') return true;
    if (text.front() == u'[') {
        if (text.back() != u']') {
            error = QStringLiteral("節の見出しが ] で終わっていません。");
            return false;
        }
        parsed.kind = DesignLine::Kind::Section;
        parsed.name = trimBlanks(text.mid(1, text.size() - 2));
        return true;
    }
    const qsizetype equals = text.indexOf(u'=');
    if (equals <= 0) {
        error = QStringLiteral("「キー = 値」の形ではありません。");
        return false;
    }
    parsed.kind = DesignLine::Kind::Entry;
    parsed.name = trimBlanks(text.left(equals));
    const QString value = trimBlanks(text.mid(equals + 1));
    if (!value.startsWith(u'"')) {
        parsed.value = value;
        return true;
    }
    return unquote(value, parsed.value, error);
}

} // namespace rovena
