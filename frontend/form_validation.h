// Reading the form's texts before anything is written: full-width digits,
// signs, period and spaces typed with a Japanese input method count as their
// ASCII forms, and a text that is no plain number, or a number that the field
// cannot take, is refused with one message naming the field as the form
// labels it. Works on the texts alone, so any reader of a design can use it.
#pragma once

#include <QString>
#include <optional>

#include "parameter_serialiser.h"

namespace rovena {

// The boxes of the form, in the order in which they are read.
enum class FormField {
    Scale,
    A1,
    Radius,
    A2,
    IaDegrees,
    IaMinutes,
    IaSeconds,
    StationPitch,
    CenterPitch,
    KaStationNo,
    KaStationPlus,
    RightWidth,
    RightWidening,
    LeftWidth,
    LeftWidening,
    Intervals,
};

// One refused box: the field, the column (lane fields, 0..10) or the line
// (Intervals, 0-based) within it, and the message for the user.
struct FieldProblem {
    FormField field;
    int index = 0;
    QString message;
};

// The text with full-width digits, "．", "－", "−", "＋" and the ideographic
// space replaced by their ASCII forms; every other character unchanged.
QString asciiForm(const QString &text);

// Every text of the design in its ASCII form, the lane counts taken from the
// ASCII widths.
DesignTexts asciiTexts(const DesignTexts &design);

// Rows in use of one side: the scan stops at the first width that is empty or
// whose leading number is 0 (ASCII forms of the texts).
int laneCountOf(const LaneTexts &side);

// The label of a box as the form shows it, e.g. "右側データ 車線幅 2 列目".
QString fieldLabel(FormField field, int index);

// The first box, in reading order, that the design cannot use; nothing when
// every box can be written. Checks left to the library (a scale, pitch,
// parameter or angle it refuses) are not repeated here.
std::optional<FieldProblem> findFieldProblem(const DesignTexts &design);

} // namespace rovena
