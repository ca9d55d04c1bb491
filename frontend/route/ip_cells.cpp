#include "ip_cells.h"

#include <array>
#include <optional>

#include "route/number_text.h"
#include "route/text_input.h"

namespace rovena {

namespace {

using korvane::route::CurveInput;
using korvane::route::IpInput;

std::optional<double> *curveValue(CurveInput &curve, int column) {
    switch (column) {
    case A1Column: return &curve.a1;
    case RColumn: return &curve.r;
    case A2Column: return &curve.a2;
    case R2Column: return &curve.r2;
    case AmColumn: return &curve.am;
    case LcColumn: return &curve.lc;
    default: return nullptr;
    }
}

QString valueText(double value) { return QString::fromStdString(korvane::route::exactText(value)); }

QString quoted(const QString &text) { return QStringLiteral("「%1」").arg(text); }

} // namespace

QString ipColumnName(int column) {
    static const std::array<const char *, EditableColumns> names{"点名", "X", "Y", "A1", "R", "A2", "R2", "AM", "LC"};
    return column >= 0 && column < EditableColumns ? QString::fromUtf8(names[column]) : QString();
}

QString ipCellText(const IpInput &point, int column) {
    if (column == NameColumn) return QString::fromStdString(point.name);
    if (column == XColumn) return valueText(point.point.x);
    if (column == YColumn) return valueText(point.point.y);
    CurveInput curve = point.curve;
    const std::optional<double> *value = curveValue(curve, column);
    return value && *value ? valueText(**value) : QString();
}

bool readIpCell(IpInput &point, int column, const QString &text, QString &problem) {
    const std::string utf8 = text.toStdString();
    const QString where = QStringLiteral("「%1」列").arg(ipColumnName(column));
    if (column == NameColumn) {
        if (korvane::route::hasControlCharacter(utf8)) {
            problem = where + QStringLiteral("の名前に制御文字があります。");
            return false;
        }
        point.name = std::string(korvane::route::trimmedText(utf8));
        return true;
    }
    std::optional<double> *curve = curveValue(point.curve, column);
    if (!curve && column != XColumn && column != YColumn) {
        problem = QStringLiteral("この列には入力できません。");
        return false;
    }
    if (curve && korvane::route::trimmedText(korvane::route::asciiForm(utf8)).empty()) {
        curve->reset();
        return true;
    }
    const std::optional<double> value = korvane::route::decimalValue(utf8);
    if (!value) {
        problem = text.trimmed().isEmpty() ? where + QStringLiteral("は空にできません。")
                                           : where + QStringLiteral("の") + quoted(text) + QStringLiteral("は数値ではありません。");
        return false;
    }
    if (curve) *curve = *value;
    else (column == XColumn ? point.point.x : point.point.y) = *value;
    return true;
}

} // namespace rovena
