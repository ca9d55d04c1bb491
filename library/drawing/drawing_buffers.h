// The large buffers a drawing works in: a block for each of its three
// streams, one for copying the temporary file into the output, and the table
// of the lane points. The library keeps one set from its load on and lends it
// to every drawing, as the memory of the earlier drawings: a drawing does not
// bring fresh memory in each time, and the memory does not grow with the
// number of vertices. A drawing takes nothing over from the one before: every
// block is filled before it is read, and the table is started anew.
#pragma once

#include <cstddef>
#include <memory>

#include "drawing/lane_points.h"
#include "drawing/output_stream.h"

namespace korvane {

class DrawingBuffers {
public:
    // The block of a stream, kStreamBlockSize bytes.
    char *streamBlock(StreamSlot slot) { return block(static_cast<std::size_t>(slot)); }
    // The block for copying a file into the output, kStreamBlockSize bytes.
    char *copyBlock() { return block(kCopyBlock); }
    // The table of the lane points, kLaneBaseCapacity entries.
    LaneBase *laneBases();

private:
    static constexpr std::size_t kCopyBlock = 3;
    char *block(std::size_t i);

    std::unique_ptr<char[]> blocks_[kCopyBlock + 1];
    std::unique_ptr<LaneBase[]> laneBases_;
};

} // namespace korvane
