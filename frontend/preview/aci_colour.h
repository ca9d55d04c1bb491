// The AutoCAD colour index (ACI) of DXF group 62 as an RGB value, for a
// drawing shown on a white sheet.
#pragma once

#include <cstdint>

namespace rovena::preview {

// 0xRRGGBB of colour number 1..255 (the sign, which marks a layer that is
// switched off, is ignored). Colour 7, white on a dark screen, is black on the
// white sheet; numbers outside the table are black as well.
std::uint32_t aciToRgb(int index);

}  // namespace rovena::preview
