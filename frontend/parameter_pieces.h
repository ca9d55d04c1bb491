// The design as the byte strings handed to the library's setteifin, in
// order: every piece of every parameter line, each line followed by the
// line-break token "?". Rovena and korvane-draw both send a design this way,
// so the same form gives the same parameter file whichever program wrote it.
#pragma once

#include <QByteArray>
#include <functional>

#include "parameter_serialiser.h"

namespace rovena {

// Calls send once for every piece and line-break token, in order.
void sendParameterPieces(const DesignTexts &design, const std::function<void(const QByteArray &)> &send);

} // namespace rovena
