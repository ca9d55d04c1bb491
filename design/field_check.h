// Reading the texts of a design before anything is written: full-width
// digits and signs count as their ASCII forms (ascii_form.h), and a text that
// is no plain number, or a number its field cannot take, is refused with one
// message naming the field as the form labels it. Checks left to the
// library (a scale, pitch, parameter or angle it refuses) are not repeated.
#pragma once

#include <optional>
#include <string>

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

// Every text of the design in its ASCII form.
DesignTexts asciiTexts(const DesignTexts &design);

} // namespace design_model
