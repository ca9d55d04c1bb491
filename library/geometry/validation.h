// The check of one design behind data_chekvb, made again by save_DXF on the
// design it reads.
#pragma once

#include "params/design_record.h"

namespace korvane {

// Whether an arc accepted within the tolerance is announced with its two
// warnings: by the check itself, but not again by the drawing run that
// follows it.
enum class ToleranceWarnings { shown, onlyWhenRefused };

// Checks a design with its derived angles; 1 when it may be drawn. First the
// scale, the parameters, the station pitch, the computation pitch and the arc,
// in this order; then, for a design they accept, what the drawing needs beyond
// them (IA and the clothoids as the drawing can show them, the number of
// steps, the lane lines and the stationing). The first refusal is shown and
// ends the check.
int validateDesign(const DesignRecord &design, const CurveAngles &angles,
                   ToleranceWarnings warnings = ToleranceWarnings::shown);

// Derives the angles of a design just read into the record, keeps them there
// and checks the design.
int checkDesign(DesignRecord &design, ToleranceWarnings warnings = ToleranceWarnings::shown);

// Reads the parameter file into the record and checks it (data_chekvb).
int checkDesignFile(const char *path, DesignRecord &design);

} // namespace korvane
