#include "dxflib_reader.h"

#include <exception>
#include <utility>

#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>

namespace rovena::preview {

namespace {

constexpr double pi = 3.14159265358979323846;

// Collects the entities of the ENTITIES section (not those of block
// definitions) and the layer table, and watches the group pairs to tell a
// complete file from one that is cut short or is no DXF at all.
class Collector final : public DL_CreationAdapter {
public:
    explicit Collector(DxfDrawing &drawing) : drawing_(drawing) {}

    bool sawSection() const { return sawSection_; }
    bool endedWithEof() const { return lastWasEof_; }

    void processCodeValuePair(unsigned int code, const std::string &value) override {
        lastWasEof_ = false;
        if (code != 0) return;
        if (value == "SECTION") sawSection_ = true;
        else if (value == "EOF") lastWasEof_ = true;
    }

    void addLayer(const DL_LayerData &data) override {
        drawing_.layers.push_back({data.name, attributes.getColor()});
    }

    void addBlock(const DL_BlockData &) override { inBlock_ = true; }
    void endBlock() override { inBlock_ = false; }

    void addLine(const DL_LineData &d) override {
        inPolyline_ = false;
        if (inBlock_) return;
        drawing_.lines.push_back({layer(), color(), {d.x1, d.y1}, {d.x2, d.y2}});
    }

    void addArc(const DL_ArcData &d) override {
        inPolyline_ = false;
        if (inBlock_) return;
        drawing_.arcs.push_back({layer(), color(), {d.cx, d.cy}, d.radius, d.angle1, d.angle2});
    }

    void addPolyline(const DL_PolylineData &d) override {
        if (inBlock_) return;
        DxfPolyline polyline;
        polyline.layer = layer();
        polyline.color = color();
        polyline.closed = (d.flags & 1) != 0;
        drawing_.polylines.push_back(std::move(polyline));
        inPolyline_ = true;
    }

    void addVertex(const DL_VertexData &d) override {
        if (inBlock_ || !inPolyline_ || drawing_.polylines.empty()) return;
        drawing_.polylines.back().vertices.push_back({d.x, d.y});
    }

    void endSequence() override { inPolyline_ = false; }

    void addText(const DL_TextData &d) override {
        inPolyline_ = false;
        if (inBlock_) return;
        DxfText text;
        text.layer = layer();
        text.color = color();
        text.position = {d.ipx, d.ipy};
        text.height = d.height;
        text.widthFactor = d.xScaleFactor;
        // dxflib hands the rotation over in radians.
        text.rotationDegrees = d.angle * 180.0 / pi;
        text.bytes = d.text;
        drawing_.texts.push_back(std::move(text));
    }

    void setVariableVector(const std::string &key, double v1, double v2, double, int) override {
        if (key == "$EXTMIN") drawing_.extMin = DxfPoint{v1, v2};
        else if (key == "$EXTMAX") drawing_.extMax = DxfPoint{v1, v2};
    }

    void setVariableString(const std::string &key, const std::string &value, int) override {
        if (key == "$DWGCODEPAGE") drawing_.codePage = value;
    }

private:
    std::string layer() const { return attributes.getLayer(); }
    int color() const { return attributes.getColor(); }

    DxfDrawing &drawing_;
    bool sawSection_ = false;
    bool lastWasEof_ = false;
    bool inBlock_ = false;
    bool inPolyline_ = false;
};

}  // namespace

DxfReadResult readDxfFileWithDxflib(const std::string &path) {
    DxfReadResult result;
    Collector collector(result.drawing);
    try {
        DL_Dxf dxf;
        if (!dxf.in(path, &collector)) {
            result.status = DxfReadStatus::cannotOpen;
            return result;
        }
    } catch (const std::exception &) {
        // dxflib allocates by counts taken from the file; a broken count ends here.
        result.status = DxfReadStatus::failed;
        return result;
    }
    if (!collector.sawSection()) {
        result.status = DxfReadStatus::notDxf;
        result.drawing = DxfDrawing{};
        return result;
    }
    for (auto &text : result.drawing.texts) text.utf8 = decodeDxfText(text.bytes, result.drawing.codePage);
    result.status = collector.endedWithEof() ? DxfReadStatus::ok : DxfReadStatus::truncated;
    return result;
}

}  // namespace rovena::preview
