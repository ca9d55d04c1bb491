// The resident memory of this process, to see whether a writer's memory
// grows with the size of the drawing.
#pragma once

namespace bench {

// Starts a new peak: the peak resident size becomes the current one (Linux
// /proc/self/clear_refs). Returns false when the kernel does not allow it;
// the peak then stays the peak of the whole process.
bool resetPeakMemory();

// Current and peak resident size in KiB (VmRSS, VmHWM of /proc/self/status;
// the peak falls back to getrusage's ru_maxrss). -1 when unknown.
long residentKiB();
long peakResidentKiB();

} // namespace bench
