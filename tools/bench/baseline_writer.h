// The benchmark's reference point: the same alignment drawing written the
// obvious way (fprintf for every record, pow for every power of the clothoid
// series, the temporary polyline file appended line by line through a
// 200-byte buffer).
//
// A frozen second writer, kept apart on purpose: it has its own reader of
// the parameter file, its own record and its own geometry, and it changes
// only when the drawing format does. It is never a source of truth for the
// library or the design model (design/), and nothing else may use it.
#pragma once

namespace bench {

// Reads the parameter file, computes the curve and writes the drawing: the
// header template copied with $EXTMAX rewritten, then the first clothoid, the
// arc, the second clothoid and the tangents, each polyline collected in the
// temporary file and appended to the output. Returns 1 when the drawing was
// written to the end, 0 otherwise (with a line on stderr).
int baselineSaveDxf(const char *outputPath, const char *paramPath, const char *templatePath,
                    const char *tempPath);

} // namespace bench
