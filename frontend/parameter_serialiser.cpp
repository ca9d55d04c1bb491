#include "parameter_serialiser.h"

#include <cmath>

#include "leading_number.h"
#include "number_text.h"

namespace rovena {

namespace {

QString intersectionAngle(const DesignTexts &d) {
    const double degrees = std::fabs(leadingNumber(d.iaDegrees));
    const QString degreeText = numberText(d.directionUp ? degrees : -degrees);
    return degreeText + u' ' + numberText(std::fabs(leadingNumber(d.iaMinutes))) + u' ' +
           numberText(std::fabs(leadingNumber(d.iaSeconds)));
}

QString widthLine(const LaneTexts &side) {
    QString line;
    for (int j = 0; j < side.count; ++j) line += numberText(leadingNumber(side.width[j])) + u' ';
    return line + QStringLiteral("0.0");
}

QString methodLine(const LaneTexts &side) {
    QString line;
    for (int j = 0; j < side.count; ++j)
        if (side.method[j] >= 0) line += QString::number(side.method[j]) + u' ';
    return line;
}

QString wideningLine(const LaneTexts &side) {
    QString line;
    for (int j = 0; j < side.count; ++j) line += numberText(leadingNumber(side.widening[j])) + u' ';
    return line;
}

// An empty station number is station 0; written empty, the reader would take
// the next value of the file for it and every later value would shift.
QString stationNumber(const QString &text) {
    return text.trimmed().isEmpty() ? QStringLiteral("0") : text;
}

QStringList intervalLine(const QString &text) {
    const QString normalised = normalisedIntervals(text);
    if (normalised.count(u' ') == normalised.size())
        return {QStringLiteral("0.0 1000.")};
    return {normalised, QStringLiteral(" 1000.")};
}

} // namespace

QString normalisedIntervals(const QString &text) {
    QString result = text;
    result.remove(QChar(0x0020));
    result.remove(QChar(0x3000));
    // Each line break the user sees between two lines stands for CR LF.
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(u'\n', u' ');
    return result;
}

std::vector<QStringList> parameterLines(const DesignTexts &d) {
    return {
        {d.scale},
        {QStringLiteral("DXF dxf")},
        {d.a1},
        {d.a2},
        {d.radius},
        {intersectionAngle(d)},
        {widthLine(d.right)},
        {methodLine(d.right)},
        {wideningLine(d.right)},
        {widthLine(d.left)},
        {methodLine(d.left)},
        {wideningLine(d.left)},
        {d.centerPitch},
        {d.stationLeft ? QStringLiteral("L") : QStringLiteral("R")},
        {d.stationPitch},
        {stationNumber(d.kaStationNo)},
        {d.kaStationPlus},
        intervalLine(d.intervals),
        {QStringLiteral("CENTER2 1")},
        {QStringLiteral("DOT 1")},
        {QStringLiteral("CONTINUOUS 1")},
        {QStringLiteral("E")},
    };
}

} // namespace rovena
