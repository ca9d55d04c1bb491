// The reference reader of the preview's tests: the same structures as the
// preview's own reader, read through dxflib, the well-kept DXF library, so
// the fast reader can be held to what dxflib reads from the same file.
#pragma once

#include <string>

#include "dxf_reader.h"

namespace rovena::preview {

DxfReadResult readDxfFileWithDxflib(const std::string &path);

}  // namespace rovena::preview
