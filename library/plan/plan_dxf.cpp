#include "plan/plan_dxf.h"

#include <cstdio>
#include <string>

#include "drawing/drawing_buffers.h"
#include "drawing/dxf_writer.h"
#include "drawing/header_template.h"
#include "params/message_box.h"
#include "plan/plan_extent.h"
#include "world/output_file.h"

namespace korvane::plan {

namespace {

// The dashes of the dashed line type, as the template's line types measure
// theirs (scaled by $LTSCALE, the scale: 12.7 mm dashes and 6.35 mm gaps on
// paper).
HeaderChanges headerChanges(const PlanDrawing &plan) {
    const Extent extent = planExtent(plan);
    return HeaderChanges{extent.max,
                         extent.min,
                         plan.scale,
                         {LinetypeEntry{kDashedLinetype, "Dashed __ __ __ __ __ __ __ __ __", {12.7, -6.35}}},
                         {LayerEntry{kLayerIpPolygon, kIpPolygonColour, kDashedLinetype}}};
}

bool writeCentrePiece(const CentrePiece &piece, DxfWriter &dxf, DrawingStreams &streams) {
    const std::vector<Point> &p = piece.points;
    switch (piece.kind) {
    case route::SegmentKind::Line: dxf.writeLine(p[0].x, p[0].y, p[1].x, p[1].y, kLayerCentre); return true;
    case route::SegmentKind::Arc: {
        const PlanArc &a = piece.arc;
        dxf.writeArc(a.centre.x, a.centre.y, a.radius, a.startDegrees, a.endDegrees, kLayerCentre);
        return true;
    }
    case route::SegmentKind::Clothoid: break;
    }
    if (!createTempFile(streams)) return false;
    for (std::size_t i = 1; i < p.size(); ++i)
        dxf.writePolylineSegment(p[i - 1].x, p[i - 1].y, p[i].x, p[i].y, static_cast<int>(i), kLayerCentre);
    return finishPolyline(dxf, streams) == 1;
}

void writeText(const PlanText &t, DxfWriter &dxf) {
    if (t.end) dxf.writeTextEndingAt(t.at.x, t.at.y, t.end->x, t.end->y, t.height, t.rotation, t.text.c_str());
    else dxf.writeText(t.at.x, t.at.y, t.height, t.rotation, t.text.c_str());
}

int writeDrawing(const PlanDrawing &plan, const std::string &output, const std::string &polylines,
                 const char *templatePath) {
    DrawingBuffers buffers;
    EntityHandles handles;
    DrawingStreams streams(output, polylines, buffers);
    if (!copyHeaderTemplate(streams, templatePath, headerChanges(plan))) return 0;
    if (!openOutputForAppend(streams)) return 0;
    DxfWriter dxf(streams, handles);
    for (const CentrePiece &piece : plan.centre)
        if (!writeCentrePiece(piece, dxf, streams)) {
            streams.closeAll();
            return 0;
        }
    for (const PlanLine &l : plan.ipPolygon) dxf.writeLine(l.from.x, l.from.y, l.to.x, l.to.y, kLayerIpPolygon);
    for (const PlanLine &l : plan.ticks) dxf.writeLine(l.from.x, l.from.y, l.to.x, l.to.y, kLayerText);
    for (const PlanText &t : plan.texts) writeText(t, dxf);
    closeDrawing(streams);
    return streams.writeFailed() ? 0 : 1;
}

} // namespace

int writePlanDxf(const PlanDrawing &plan, const char *path, const char *templatePath) {
    const std::string target = path ? path : "";
    if (target.empty() || !templatePath) {
        showError("平面図（DXF）のファイル名が指定されていません。");
        return 0;
    }
    const std::string staged = target + ".korvane-tmp", polylines = target + ".korvane-poly";
    const int written = writeDrawing(plan, staged, polylines, templatePath);
    std::remove(polylines.c_str());
    if (written && replaceFile(staged, path)) return 1;
    std::remove(staged.c_str());
    return written ? cannotWrite(path) : 0;
}

} // namespace korvane::plan
