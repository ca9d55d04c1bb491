#include "design_file.h"

#include "design_keys.h"
#include "design_value.h"

namespace rovena {

namespace {

using namespace design_keys;

constexpr int kClearedMethod = 1;
const QString kClearedLane = QStringLiteral("0");

// The lines of a document being written.
class Writer {
public:
    void line(const QString &text) { text_ += text + u'\n'; }
    void entry(const QString &key, const QString &value) {
        line(value.isEmpty() ? key + QStringLiteral(" =") : key + QStringLiteral(" = ") + designValueText(value));
    }
    // Every text key, with the two direction choices in their places.
    void texts(const DesignTexts &t) {
        for (const TextKey &k : kTextKeys) {
            entry(QString::fromLatin1(k.key), t.*k.field);
            if (qstrcmp(k.key, kCurveDirectionAfter) == 0)
                entry(QStringLiteral("curve.direction"), t.directionUp ? QStringLiteral("up") : QStringLiteral("down"));
            if (qstrcmp(k.key, kStationDirectionAfter) == 0)
                entry(QStringLiteral("station.direction"), t.stationLeft ? QStringLiteral("left") : QStringLiteral("right"));
        }
    }
    QByteArray bytes() const { return text_.toUtf8(); }

private:
    QString text_;
};

void writeLanes(Writer &out, const QString &side, const LaneTexts &lanes) {
    for (int i = 0; i < kLaneRows; ++i) {
        const int method = lanes.method[i];
        if (lanes.width[i] == kClearedLane && lanes.widening[i] == kClearedLane && method == kClearedMethod)
            continue; // a row as データ  クリア leaves it is left out
        const QString prefix = side + u'.' + QString::number(i + 1) + u'.';
        out.entry(prefix + QStringLiteral("width"), lanes.width[i]);
        out.entry(prefix + QStringLiteral("method"),
                  method >= 0 && method < 3 ? QString::fromLatin1(kMethodNames[method]) : QString());
        out.entry(prefix + QStringLiteral("widening"), lanes.widening[i]);
    }
}

void writeIntervals(Writer &out, const QString &intervals) {
    if (intervals.isEmpty()) return;
    for (const QString &line : intervals.split(u'\n')) out.entry(QStringLiteral("interval"), line);
}

} // namespace

DesignTexts clearedDesignTexts() {
    DesignTexts d;
    d.scale = QStringLiteral("250");
    d.a1 = d.radius = d.a2 = QStringLiteral("0");
    d.iaDegrees = d.iaMinutes = d.iaSeconds = QStringLiteral("0");
    d.stationPitch = QStringLiteral("20");
    d.centerPitch = QStringLiteral("0.1");
    d.kaStationNo = d.kaStationPlus = QStringLiteral("0");
    for (LaneTexts *side : {&d.right, &d.left}) {
        side->width.fill(kClearedLane);
        side->widening.fill(kClearedLane);
        side->method.fill(kClearedMethod);
        side->count = 0;
    }
    return d;
}

QByteArray designFileBytes(const DesignDocument &document) {
    const DesignTexts &t = document.texts;
    Writer out;
    out.line(QStringLiteral("# Rovena 設計ファイル"));
    out.line(QStringLiteral("[design]"));
    out.entry(QStringLiteral("format"), QString::number(kDesignFormat));
    out.texts(t);
    writeLanes(out, QStringLiteral("right"), t.right);
    writeLanes(out, QStringLiteral("left"), t.left);
    writeIntervals(out, t.intervals);
    if (!document.placement.isEmpty()) {
        out.line(QString());
        out.line(QStringLiteral("[placement]"));
        for (const QString &line : document.placement) out.line(line);
    }
    return out.bytes();
}

} // namespace rovena
