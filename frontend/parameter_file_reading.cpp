#include "parameter_file_reading.h"

#include <QRegularExpression>

#include "design_file.h"
#include "leading_number.h"

namespace rovena {

namespace {

class Tokens {
public:
    explicit Tokens(const QByteArray &bytes)
        : tokens_(QString::fromLocal8Bit(bytes).split(QRegularExpression(QStringLiteral("[ \\t\\r\\n\\f\\v]+")),
                                                      Qt::SkipEmptyParts)) {}

    // The next token; false with error set at the end of the file.
    bool next(const QString &what, QString &token, QString &error) {
        if (position_ < tokens_.size()) {
            token = tokens_[position_++];
            return true;
        }
        error = QStringLiteral("パラメータファイルが %1 の前で終わっています。").arg(what);
        return false;
    }

private:
    QStringList tokens_;
    qsizetype position_ = 0;
};

bool readWidths(Tokens &tokens, const QString &side, LaneTexts &lanes, QString &error) {
    for (int i = 0;; ++i) {
        QString token;
        if (!tokens.next(side + QStringLiteral("の車線幅"), token, error)) return false;
        if (leadingNumber(token) == 0.0) {
            lanes.count = i;
            return true;
        }
        if (i == kLaneRows) {
            error = QStringLiteral("%1の車線が %2 本を超えています。").arg(side).arg(kLaneRows);
            return false;
        }
        lanes.width[i] = token;
    }
}

bool readLanes(Tokens &tokens, const QString &side, LaneTexts &lanes, QString &error) {
    if (!readWidths(tokens, side, lanes, error)) return false;
    QString token;
    for (int i = 0; i < lanes.count; ++i) {
        if (!tokens.next(side + QStringLiteral("の拡幅方法"), token, error)) return false;
        if (token != u"0" && token != u"1" && token != u"2") {
            error = QStringLiteral("%1の拡幅方法「%2」は 0, 1, 2 のどれでもありません。").arg(side, token);
            return false;
        }
        lanes.method[i] = token.toInt();
    }
    for (int i = 0; i < lanes.count; ++i) {
        if (!tokens.next(side + QStringLiteral("の拡幅量"), lanes.widening[i], error)) return false;
    }
    return true;
}

bool readIntervals(Tokens &tokens, DesignTexts &design, QString &error) {
    QStringList values;
    QString token;
    while (tokens.next(QStringLiteral("法線設置位置の終わり (1000.)"), token, error)) {
        if (leadingNumber(token) == 1000.0) {
            // "0.0 1000." is how an empty interval box is written.
            design.intervals = values == QStringList{QStringLiteral("0.0")} ? QString() : values.join(u'\n');
            return true;
        }
        values << token;
    }
    return false;
}

bool readAngle(Tokens &tokens, DesignTexts &d, QString &error) {
    const QString what = QStringLiteral("交角ＩＡ");
    if (!tokens.next(what, d.iaDegrees, error) || !tokens.next(what, d.iaMinutes, error) ||
        !tokens.next(what, d.iaSeconds, error))
        return false;
    d.directionUp = !d.iaDegrees.startsWith(u'-');
    if (!d.directionUp) d.iaDegrees.remove(0, 1);
    return true;
}

bool readStationing(Tokens &tokens, DesignTexts &d, QString &error) {
    QString direction;
    if (!tokens.next(QStringLiteral("センター計算ピッチ"), d.centerPitch, error) ||
        !tokens.next(QStringLiteral("測点方向"), direction, error))
        return false;
    if (direction != u"L" && direction != u"R") {
        error = QStringLiteral("測点方向「%1」は L でも R でもありません。").arg(direction);
        return false;
    }
    d.stationLeft = direction == u"L";
    return tokens.next(QStringLiteral("測点ピッチ"), d.stationPitch, error) &&
           tokens.next(QStringLiteral("KA位置"), d.kaStationNo, error) &&
           tokens.next(QStringLiteral("KA位置"), d.kaStationPlus, error);
}

} // namespace

bool readParameterFileTexts(const QByteArray &bytes, DesignTexts &design, QString &error) {
    Tokens tokens(bytes);
    DesignTexts d = clearedDesignTexts();
    QString outputWord;
    const bool read = tokens.next(QStringLiteral("縮尺"), d.scale, error) &&
                      tokens.next(QStringLiteral("DXF"), outputWord, error) &&
                      tokens.next(QStringLiteral("dxf"), outputWord, error) &&
                      tokens.next(QStringLiteral("左側Ａ"), d.a1, error) &&
                      tokens.next(QStringLiteral("右側Ａ"), d.a2, error) &&
                      tokens.next(QStringLiteral("単曲線部Ｒ"), d.radius, error) && readAngle(tokens, d, error) &&
                      readLanes(tokens, QStringLiteral("右側"), d.right, error) &&
                      readLanes(tokens, QStringLiteral("左側"), d.left, error) &&
                      readStationing(tokens, d, error) && readIntervals(tokens, d, error);
    if (read) design = std::move(d);
    return read;
}

} // namespace rovena
