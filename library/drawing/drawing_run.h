// One drawing of a checked design whose elements and normal positions are
// computed: it owns the streams of the run and the lane points with their
// cache, and borrows the entity-handle counter, which goes on counting from
// one drawing to the next, and the buffers they work in.
#pragma once

#include "drawing/drawing_buffers.h"
#include "drawing/drawing_frame.h"
#include "drawing/dxf_writer.h"
#include "drawing/lane_points.h"
#include "params/design_record.h"

namespace korvane {

class DrawingRun {
public:
    // Draws into the record's output path, with its temporary path for the
    // polylines. The record, the counter and the buffers must outlive the run.
    DrawingRun(const DesignRecord &design, EntityHandles &handles, DrawingBuffers &buffers);

    // The header template copied into the output with the sheet extents of
    // the scale, the two clothoids and the arc between them with their normals
    // and labels, the tangents, the element table, the end of the drawing.
    // 1 when the drawing was written whole; 0 after a failure that has been
    // shown (every stream is then closed).
    int draw(const char *templatePath);

    const DesignRecord &design() const { return design_; }
    const DrawingFrame &frame() const { return frame_; }
    DrawingStreams &streams() { return streams_; }
    DxfWriter &dxf() { return dxf_; }
    LanePoints &lanePoints() { return lanePoints_; }

private:
    const DesignRecord &design_;
    DrawingFrame frame_;
    DrawingStreams streams_;
    DxfWriter dxf_;
    LanePoints lanePoints_;
};

} // namespace korvane
