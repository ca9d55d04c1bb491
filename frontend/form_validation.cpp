#include "form_validation.h"

#include "lane_rows.h"

#include <QRegularExpression>
#include <QStringList>
#include <cmath>

#include "leading_number.h"

namespace rovena {

namespace {

// Normal-line intervals the library reads: 200 values, the last being the end mark.
constexpr int kMaxIntervals = 199;
// An interval this long or longer places its normal line beyond the 1000 m
// the library stations, and ends the list there.
constexpr double kIntervalLimit = 1000.0;
// The longest part of a typed text that a message quotes.
constexpr qsizetype kQuotedLength = 20;

QChar asciiChar(QChar c) {
    const char16_t u = c.unicode();
    if (u >= 0xFF10 && u <= 0xFF19) return QChar(u'0' + (u - 0xFF10)); // ０..９
    switch (u) {
    case 0xFF0E: return u'.'; // ．
    case 0xFF0D:              // －
    case 0x2212: return u'-'; // −
    case 0xFF0B: return u'+'; // ＋
    case 0x3000: return u' '; // ideographic space
    default: return c;
    }
}

// Blanks around the text removed; nothing left means the box is empty.
QString withoutBlanks(const QString &text) {
    QString t = text;
    while (!t.isEmpty() && (t.front() == u' ' || t.front() == u'\t')) t.remove(0, 1);
    while (!t.isEmpty() && (t.back() == u' ' || t.back() == u'\t')) t.chop(1);
    return t;
}

// A sign, digits with at most one "." and an optional exponent; nothing else.
std::optional<double> plainNumber(const QString &ascii) {
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+(\\.\\d*)?|\\.\\d+)([eE][+-]?\\d+)?$"));
    const QString t = withoutBlanks(ascii);
    if (!number.match(t).hasMatch()) return std::nullopt;
    const double value = leadingNumber(t);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

QString quoted(const QString &typed) {
    if (typed.size() <= kQuotedLength) return typed;
    return typed.left(kQuotedLength) + QStringLiteral("…");
}

FieldProblem notANumber(FormField field, int index, const QString &typed) {
    return {field, index,
            QStringLiteral("%1「%2」は数値ではありません。").arg(fieldLabel(field, index), quoted(typed))};
}

FieldProblem outOfRange(FormField field, int index, const QString &typed, const QString &range) {
    return {field, index,
            QStringLiteral("%1「%2」は %3の数値にしてください。").arg(fieldLabel(field, index), quoted(typed), range)};
}

// Reads one box: a number, or nothing when the box is empty and may be.
// Sets problem when the text cannot be used.
std::optional<double> readBox(FormField field, int index, const QString &typed, bool required,
                              std::optional<FieldProblem> &problem) {
    const QString ascii = asciiForm(typed);
    if (withoutBlanks(ascii).isEmpty()) {
        if (required)
            problem = FieldProblem{field, index, QStringLiteral("%1が入力されていません。").arg(fieldLabel(field, index))};
        return std::nullopt;
    }
    const std::optional<double> value = plainNumber(ascii);
    if (!value) problem = notANumber(field, index, typed);
    return value;
}

using Problem = std::optional<FieldProblem>;

Problem checkCurve(const DesignTexts &d) {
    Problem p;
    readBox(FormField::Scale, 0, d.scale, true, p);
    if (!p) readBox(FormField::A1, 0, d.a1, true, p);
    if (!p) readBox(FormField::Radius, 0, d.radius, true, p);
    if (!p) readBox(FormField::A2, 0, d.a2, true, p);
    if (!p) readBox(FormField::IaDegrees, 0, d.iaDegrees, false, p);
    const std::pair<FormField, const QString *> sexagesimal[] = {{FormField::IaMinutes, &d.iaMinutes},
                                                                 {FormField::IaSeconds, &d.iaSeconds}};
    for (const auto &[field, text] : sexagesimal) {
        if (p) break;
        const std::optional<double> v = readBox(field, 0, *text, false, p);
        if (v && (*v < 0 || *v >= 60)) p = outOfRange(field, 0, *text, QStringLiteral("0 以上 60 未満"));
    }
    return p;
}

Problem checkStations(const DesignTexts &d) {
    Problem p;
    const std::optional<double> pitch = readBox(FormField::StationPitch, 0, d.stationPitch, true, p);
    if (!p) readBox(FormField::CenterPitch, 0, d.centerPitch, true, p);
    if (!p) readBox(FormField::KaStationNo, 0, d.kaStationNo, false, p);
    if (p) return p;
    const std::optional<double> plus = readBox(FormField::KaStationPlus, 0, d.kaStationPlus, true, p);
    if (p) return p;
    // A pitch of 0 or less is the library's to report.
    if (*plus < 0 || (*pitch > 0 && *plus >= *pitch))
        p = outOfRange(FormField::KaStationPlus, 0, d.kaStationPlus,
                       *pitch > 0 ? QStringLiteral("0 以上 測点ピッチ %1 未満").arg(withoutBlanks(asciiForm(d.stationPitch)))
                                  : QStringLiteral("0 以上"));
    return p;
}

Problem checkLanes(const LaneTexts &side, FormField widthField, FormField wideningField) {
    Problem p;
    for (int i = 0; i < kLaneRows && !p; ++i) {
        const std::optional<double> width = readBox(widthField, i, side.width[i], false, p);
        if (width && *width < 0) p = outOfRange(widthField, i, side.width[i], QStringLiteral("0 以上"));
    }
    for (int i = 0; i < kLaneRows && !p; ++i) readBox(wideningField, i, side.widening[i], false, p);
    return p;
}

Problem checkIntervals(const QString &text) {
    QString all = text;
    all.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QStringList lines = all.split(u'\n');
    int values = 0;
    for (int line = 0; line < lines.size(); ++line) {
        // Blanks inside a line are dropped when the line is written.
        QString value = asciiForm(lines[line]);
        value.remove(u' ');
        if (value.isEmpty()) continue;
        const std::optional<double> v = plainNumber(value);
        if (!v) return notANumber(FormField::Intervals, line, lines[line]);
        if (*v <= 0 || *v >= kIntervalLimit)
            return outOfRange(FormField::Intervals, line, lines[line], QStringLiteral("0 より大きく 1000 未満"));
        if (++values > kMaxIntervals)
            return FieldProblem{FormField::Intervals, line,
                                QStringLiteral("法線設置位置は %1 個までです（%2 行目が %3 個目です）。")
                                    .arg(kMaxIntervals)
                                    .arg(line + 1)
                                    .arg(values)};
    }
    return std::nullopt;
}

LaneTexts asciiLanes(const LaneTexts &side) {
    LaneTexts out = side;
    for (int i = 0; i < kLaneRows; ++i) {
        out.width[i] = asciiForm(side.width[i]);
        out.widening[i] = asciiForm(side.widening[i]);
    }
    out.count = laneCountOf(out);
    return out;
}

QString laneLabel(const char *sideName, const char *row, int index) {
    return QStringLiteral("%1 %2 %3 列目").arg(QString::fromUtf8(sideName), QString::fromUtf8(row)).arg(index + 1);
}

} // namespace

QString asciiForm(const QString &text) {
    QString out = text;
    for (QChar &c : out) c = asciiChar(c);
    return out;
}

int laneCountOf(const LaneTexts &side) { return laneCount(side.width); }

DesignTexts asciiTexts(const DesignTexts &d) {
    DesignTexts out = d;
    for (QString *text : {&out.scale, &out.a1, &out.radius, &out.a2, &out.iaDegrees, &out.iaMinutes, &out.iaSeconds,
                          &out.centerPitch, &out.stationPitch, &out.kaStationNo, &out.kaStationPlus, &out.intervals})
        *text = asciiForm(*text);
    out.right = asciiLanes(d.right);
    out.left = asciiLanes(d.left);
    return out;
}

QString fieldLabel(FormField field, int index) {
    switch (field) {
    case FormField::Scale: return QStringLiteral("縮尺");
    case FormField::A1: return QStringLiteral("パラメータ 左側Ａ");
    case FormField::Radius: return QStringLiteral("パラメータ 単曲線部Ｒ");
    case FormField::A2: return QStringLiteral("パラメータ 右側Ａ");
    case FormField::IaDegrees: return QStringLiteral("交角ＩＡ 度");
    case FormField::IaMinutes: return QStringLiteral("交角ＩＡ 分");
    case FormField::IaSeconds: return QStringLiteral("交角ＩＡ 秒");
    case FormField::StationPitch: return QStringLiteral("測点ピッチ");
    case FormField::CenterPitch: return QStringLiteral("センター計算ピッチ");
    case FormField::KaStationNo: return QStringLiteral("KA位置 NO");
    case FormField::KaStationPlus: return QStringLiteral("KA位置 ＋");
    case FormField::RightWidth: return laneLabel("右側データ", "車線幅", index);
    case FormField::RightWidening: return laneLabel("右側データ", "拡幅量", index);
    case FormField::LeftWidth: return laneLabel("左側データ", "車線幅", index);
    case FormField::LeftWidening: return laneLabel("左側データ", "拡幅量", index);
    case FormField::Intervals: return QStringLiteral("法線設置位置 %1 行目").arg(index + 1);
    }
    return {};
}

std::optional<FieldProblem> findFieldProblem(const DesignTexts &d) {
    Problem p = checkCurve(d);
    if (!p) p = checkStations(d);
    if (!p) p = checkLanes(d.right, FormField::RightWidth, FormField::RightWidening);
    if (!p) p = checkLanes(d.left, FormField::LeftWidth, FormField::LeftWidening);
    if (!p) p = checkIntervals(d.intervals);
    return p;
}

} // namespace rovena
