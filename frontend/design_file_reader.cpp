// Reading a design file: the [design] section into the texts of the form,
// the [placement] section kept line for line, every other section skipped.
#include <QStringDecoder>

#include "design_file.h"
#include "design_keys.h"
#include "design_value.h"

namespace rovena {

namespace {

using namespace design_keys;

// A choice between two words, such as up/down.
bool readChoice(const QString &value, const char *first, const char *second, bool &firstChosen) {
    if (value == QLatin1String(first)) firstChosen = true;
    else if (value == QLatin1String(second)) firstChosen = false;
    else return false;
    return true;
}

// 0, 1 or 2 for a method's word; -1 for any other text.
int methodNumber(const QString &word) {
    for (int m = 0; m < 3; ++m)
        if (word == QLatin1String(kMethodNames[m])) return m;
    return -1;
}

class Reader {
public:
    explicit Reader(DesignTexts start) { document_.texts = std::move(start); }

    void line(int number, const QString &text);
    bool finish(DesignDocument &document, QString &error);

private:
    void entry(const QString &key, const QString &value);
    bool textEntry(const QString &key, const QString &value);
    bool laneEntry(const QString &key, const QString &value);
    void format(const QString &value);
    void fail(const QString &what) {
        if (error_.isEmpty()) error_ = QStringLiteral("%1 行目: %2").arg(lineNumber_).arg(what);
    }

    DesignDocument document_;
    QStringList intervals_;
    QString section_;
    bool sawDesign_ = false;
    int lineNumber_ = 0;
    QString error_;
    QString tooNew_;
};

void Reader::line(int number, const QString &text) {
    lineNumber_ = number;
    DesignLine parsed;
    QString problem;
    const bool ok = parseDesignLine(text, parsed, problem);
    if (ok && parsed.kind == DesignLine::Kind::Section) {
        section_ = parsed.name;
        sawDesign_ = sawDesign_ || section_ == u"design";
        return;
    }
    if (section_ == u"placement") {
        document_.placement << text;
        return;
    }
    if (section_ != u"design") return; // other sections belong to other programs
    if (!ok) fail(problem);
    else if (parsed.kind == DesignLine::Kind::Entry) entry(parsed.name, parsed.value);
}

void Reader::entry(const QString &key, const QString &value) {
    DesignTexts &t = document_.texts;
    if (key == u"format") format(value);
    else if (key == u"interval") intervals_ << value;
    else if (key == u"curve.direction") {
        if (!readChoice(value, "up", "down", t.directionUp))
            fail(QStringLiteral("curve.direction は up か down です (「%1」)。").arg(value));
    } else if (key == u"station.direction") {
        if (!readChoice(value, "left", "right", t.stationLeft))
            fail(QStringLiteral("station.direction は left か right です (「%1」)。").arg(value));
    } else if (!textEntry(key, value)) {
        laneEntry(key, value); // any other key is left for later versions
    }
}

bool Reader::textEntry(const QString &key, const QString &value) {
    for (const TextKey &k : kTextKeys) {
        if (key == QLatin1String(k.key)) {
            document_.texts.*k.field = value;
            return true;
        }
    }
    return false;
}

// "right.N.width", "right.N.method", "right.N.widening" and the same for left.
bool Reader::laneEntry(const QString &key, const QString &value) {
    const QStringList parts = key.split(u'.');
    if (parts.size() != 3 || (parts[0] != u"right" && parts[0] != u"left")) return false;
    LaneTexts &side = parts[0] == u"right" ? document_.texts.right : document_.texts.left;
    bool number = false;
    const int row = parts[1].toInt(&number) - 1;
    if (!number || row < 0 || row >= kLaneRows) {
        fail(QStringLiteral("%1: 車線の番号は 1 から %2 までです。").arg(key).arg(kLaneRows));
        return true;
    }
    if (parts[2] == u"width") side.width[row] = value;
    else if (parts[2] == u"widening") side.widening[row] = value;
    else if (parts[2] == u"method") {
        if (value.isEmpty()) side.method[row] = -1;
        else if (methodNumber(value) >= 0) side.method[row] = methodNumber(value);
        else fail(QStringLiteral("%1 は none, linear, higher のどれかです (「%2」)。").arg(key, value));
    } else {
        return false;
    }
    return true;
}

void Reader::format(const QString &value) {
    bool number = false;
    const int version = value.toInt(&number);
    if (!number || version < 1) fail(QStringLiteral("format の値「%1」は正の整数ではありません。").arg(value));
    else if (version > kDesignFormat)
        tooNew_ = QStringLiteral("このファイルは新しい形式 (format %1) で書かれています。このプログラムが読めるのは format %2 までです。")
                      .arg(version)
                      .arg(kDesignFormat);
}

bool Reader::finish(DesignDocument &document, QString &error) {
    if (!tooNew_.isEmpty()) error = tooNew_;
    else if (!error_.isEmpty()) error = error_;
    else if (!sawDesign_) error = QStringLiteral("設計データの節 [design] がありません。");
    if (!error.isEmpty()) return false;
    while (!document_.placement.isEmpty() && document_.placement.back().trimmed().isEmpty())
        document_.placement.removeLast();
    DesignTexts &t = document_.texts;
    t.intervals = intervals_.join(u'\n');
    t.right.count = laneCount(t.right.width);
    t.left.count = laneCount(t.left.width);
    document = std::move(document_);
    return true;
}

} // namespace

bool readDesignFile(const QByteArray &bytes, DesignDocument &document, QString &error) {
    Reader reader(clearedDesignTexts());
    const QList<QByteArray> lines = bytes.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        if (line.endsWith('\r')) line.chop(1);
        QStringDecoder decode(QStringConverter::Utf8);
        const QString text = decode(line);
        if (decode.hasError()) {
            error = QStringLiteral("%1 行目: UTF-8 の文字として読めません。").arg(i + 1);
            return false;
        }
        reader.line(i + 1, text);
    }
    return reader.finish(document, error);
}

} // namespace rovena
