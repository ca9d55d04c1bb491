// The file korvane-draw draws: a parameter file as it is, or a Rovena design
// file turned into a parameter file first, through the library's
// setteifincls and setteifin exactly as Rovena sends a design.
#pragma once

#include <string>

#include "korvane.h"

namespace korvane_draw {

using ClearFunction = int(KORVANE_CALL *)(const char *);
using AppendFunction = int(KORVANE_CALL *)(const char *, const char *);

struct ParameterWriter {
    ClearFunction setteifincls = nullptr;
    AppendFunction setteifin = nullptr;
};

// The parameter file to draw for input: input itself unless it is a design
// file, which is written to parameterFile. "" after a message on the
// standard error when the design cannot be read or written.
std::string parameterFileFor(const std::string &input, const std::string &parameterFile,
                             const ParameterWriter &writer);

// Whether input is a design file with a [placement] section: such a file is
// its own placement file when no placement is given on the command line.
bool designHasPlacement(const std::string &input);

} // namespace korvane_draw
