#include "drawing/drawing_buffers.h"

namespace korvane {

char *DrawingBuffers::block(std::size_t i) {
    if (!blocks_[i]) blocks_[i] = std::make_unique_for_overwrite<char[]>(kStreamBlockSize);
    return blocks_[i].get();
}

LaneBase *DrawingBuffers::laneBases() {
    // Brought into memory whole when first used, so the memory of a drawing
    // does not depend on how many of its entries the drawing fills.
    if (!laneBases_) laneBases_ = std::make_unique<LaneBase[]>(kLaneBaseCapacity);
    return laneBases_.get();
}

} // namespace korvane
