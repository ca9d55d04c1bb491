// Reading the texts of a design before anything is written: full-width
// digits and signs count as their ASCII forms (ascii_form.h), and a text that
// is no plain number, or a number its field cannot take, is refused with one
// message naming the field as the form labels it. Checks left to the
// library (a scale, pitch, parameter or angle it refuses) are not repeated.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "design/design_fields.h"
#include "design/design_texts.h"

namespace design_model {

// One refused box: the field, the column (lane fields, 0..10) or the line
// (Intervals, 0-based) within it, and the message for the user.
struct FieldProblem {
    Field field;
    int index = 0;
    std::string message;
};

// The first box, in reading order, that the design cannot use; nothing when
// every box can be written.
std::optional<FieldProblem> findFieldProblem(const DesignTexts &design);

// One value of the normal-line positions: its line (0-based) and its number.
struct IntervalValue {
    int line;
    double value;
};

// The values of an interval text that findFieldProblem accepts, in order;
// lines without a value are skipped, as the parameter file skips them.
std::vector<IntervalValue> intervalValues(const std::string &text);

// Every text of the design in its ASCII form.
DesignTexts asciiTexts(const DesignTexts &design);

} // namespace design_model
