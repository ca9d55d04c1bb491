// Shading of the lane rows of one side: the leading rows with a non-zero
// width are in use and show the ordinary background of a text box; the rows
// from the first zero or empty width onwards are light grey.
#pragma once

#include <QColor>
#include <array>

#include "design/design_limits.h"

class QLineEdit;

namespace rovena {

// The width and widening-amount boxes of one side, index 0..10.
struct LaneBoxes {
    std::array<QLineEdit *, design_model::kLaneRows> width{};
    std::array<QLineEdit *, design_model::kLaneRows> widening{};
};

// Background of a row not in use.
inline const QColor kUnusedRowColour{192, 192, 192};

// Number of rows in use: the scan over the width boxes stops at the first
// whose text is empty or begins with no non-zero number.
int laneCount(const LaneBoxes &side);

// Gives every width box and widening box of the side its background.
void shadeLaneRows(const LaneBoxes &side);

} // namespace rovena
