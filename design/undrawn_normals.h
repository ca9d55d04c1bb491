// Which normal lines a drawing leaves out. The drawing places the positions
// of 法線設置位置 one after the other from the KA at the stationing origin
// and ends the list at the first that lies at or beyond the end of the curve
// or farther than kIntervalEndMark from that KA; the normal lines from there
// on are not drawn. This tells the user which, from the design's own numbers.
#pragma once

#include <optional>
#include <string>

#include "design/design_texts.h"

namespace design_model {

// Why the list ends where it does.
enum class UndrawnReason {
    BeyondCurve, // at or beyond the end of the curve (CL)
    BeyondReach, // farther than kIntervalEndMark from the KA
    NoAdvance,   // an interval too small to move the position on
};

struct UndrawnNormals {
    int line = 0;        // the line (0-based) of the first position left out
    int count = 0;       // positions left out, that one included
    double position = 0; // its distance from the KA at the stationing origin (m)
    UndrawnReason reason = UndrawnReason::BeyondCurve;
    double curveLength = 0; // CL = A1²/R + arc + A2²/R (m)
};

// The curve length CL of the design, computed as the drawing computes it.
double curveLength(const DesignTexts &design);

// The positions the drawing leaves out; nothing when every one is drawn. The
// design is one that findFieldProblem accepts.
std::optional<UndrawnNormals> undrawnNormals(const DesignTexts &design);

// The note for the user: which lines are not drawn, and why.
std::string undrawnNormalsNote(const UndrawnNormals &undrawn);

} // namespace design_model
