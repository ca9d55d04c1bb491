// A bare parameter file (the 22-line layout of parameter_lines.h) read back
// into the texts of the form. Like the library's reader it reads white-space
// separated tokens in a fixed order, so the form shows what the library
// would draw from the file.
#pragma once

#include <string>
#include <string_view>

#include "design/design_texts.h"

namespace design_model {

// Reads the file's bytes (in the system's code page). Lane rows beyond those
// in the file, and an interval list of the single "0.0", take the texts
// データ  クリア gives. On failure error says what is wrong, in Japanese.
bool readParameterFileTexts(std::string_view bytes, DesignTexts &design, std::string &error);

} // namespace design_model
