// The parameter file ALN_TXT_.DAT: the two writing operations behind
// setteifincls and setteifin, and the reader that fills the design record.
#pragma once

#include "params/design_record.h"

namespace korvane {

// Creates or empties the file; 0 after "ファイル書き込みできません".
int clearParameterFile(const char *path);

// Appends one piece, or a line end for a piece beginning with "?".
int appendParameterPiece(const char *text, const char *path);

// Reads the whole file into the record; 0 after its message was shown. Only
// the fields the file feeds are assigned (the intervals are cleared first).
int readParameterFile(const char *path, DesignRecord &design);

} // namespace korvane
