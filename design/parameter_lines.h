// The design as the 22 lines of the parameter file that the library reads:
// for every line the pieces of text sent one by one through setteifin, each
// line then ended by the line-break token "?". Rovena and korvane-draw send a
// design this way, so the same design gives the same file whichever program
// wrote it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "design/design_texts.h"

namespace design_model {

// The interval text with spaces and ideographic spaces removed and every line
// break replaced by one space.
std::string normalisedIntervals(std::string_view text);

// The magnitude of the IA in degrees as the library reads line 6: the numbers
// written for degrees, minutes and seconds, read back and added.
double writtenAngleDegrees(const DesignTexts &design);

// The 22 lines of the design in its ASCII form (field_check.h), each as the
// pieces sent for it, in UTF-8.
std::vector<std::vector<std::string>> parameterLines(const DesignTexts &design);

// Calls send once for every piece and line-break token, in order, each in
// the system's code page as the library takes its texts, and stops at the
// first piece that send could not append (a half-written file must not be
// checked or drawn). True when every piece went.
bool sendParameterPieces(const DesignTexts &design, const std::function<bool(const std::string &)> &send);

} // namespace design_model
