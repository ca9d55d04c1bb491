// The design as the byte strings handed to the library's setteifin, in
// order: every piece of every parameter line, each line followed by the
// line-break token "?". Rovena and korvane-draw both send a design this way,
// so the same form gives the same parameter file whichever program wrote it.
#pragma once

#include <QByteArray>
#include <functional>

#include "parameter_serialiser.h"

namespace rovena {

// Calls send once for every piece and line-break token of the design's ASCII
// form, in order, and stops at the first piece that send could not append
// (a half-written file must not be checked or drawn). True when every piece
// went.
bool sendParameterPieces(const DesignTexts &design, const std::function<bool(const QByteArray &)> &send);

} // namespace rovena
