#include "dxf_reader.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <exception>
#include <utility>

#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>

#include "text_decoding.h"

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

// The iconv name of a DXF code page: "ANSI_1252" is CP1252; the drawings of
// this program are cp932, which is also taken when the header names none.
std::string iconvName(std::string_view codePage) {
    std::string name(codePage);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (name.rfind("ANSI_", 0) == 0 && name.size() > 5) return "CP" + name.substr(5);
    return "CP932";
}

// Whether the angle (degrees) lies on the counter-clockwise sweep from start to end.
bool onSweep(double angle, double start, double end) {
    auto normal = [](double a) {
        a = std::fmod(a, 360.0);
        return a < 0.0 ? a + 360.0 : a;
    };
    double sweep = normal(end - start);
    if (sweep == 0.0) sweep = 360.0;
    return normal(angle - start) <= sweep;
}

}  // namespace

void DxfBox::include(DxfPoint p) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return;
    if (empty) {
        minX = maxX = p.x;
        minY = maxY = p.y;
        empty = false;
        return;
    }
    minX = std::min(minX, p.x);
    maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
}

void DxfBox::include(const DxfBox &other) {
    if (other.empty) return;
    include(DxfPoint{other.minX, other.minY});
    include(DxfPoint{other.maxX, other.maxY});
}

DxfBox arcBox(const DxfArc &arc) {
    DxfBox box;
    auto at = [&](double degrees) {
        double a = degrees * pi / 180.0;
        return DxfPoint{arc.centre.x + arc.radius * std::cos(a), arc.centre.y + arc.radius * std::sin(a)};
    };
    box.include(at(arc.startDegrees));
    box.include(at(arc.endDegrees));
    for (double axis : {0.0, 90.0, 180.0, 270.0})
        if (onSweep(axis, arc.startDegrees, arc.endDegrees)) box.include(at(axis));
    return box;
}

DxfBox textBox(const DxfText &text) {
    const double length = 0.5 * text.height * text.widthFactor * static_cast<double>(text.bytes.size());
    const double a = text.rotationDegrees * pi / 180.0;
    const double c = std::cos(a), s = std::sin(a);
    DxfBox box;
    for (auto [u, v] : {std::pair{0.0, 0.0}, std::pair{length, 0.0}, std::pair{length, text.height},
                        std::pair{0.0, text.height}})
        box.include(DxfPoint{text.position.x + u * c - v * s, text.position.y + u * s + v * c});
    return box;
}

const DxfLayer *DxfDrawing::findLayer(std::string_view name) const {
    for (const auto &layer : layers)
        if (layer.name == name) return &layer;
    return nullptr;
}

int DxfDrawing::effectiveColor(std::string_view layer, int color) const {
    if (color >= 1 && color <= 255) return color;
    const DxfLayer *found = findLayer(layer);
    return found ? found->color : 7;
}

DxfBox DxfDrawing::entityExtents() const {
    DxfBox box;
    for (const auto &line : lines) {
        box.include(line.start);
        box.include(line.end);
    }
    for (const auto &polyline : polylines)
        for (const auto &vertex : polyline.vertices) box.include(vertex);
    for (const auto &arc : arcs) box.include(arcBox(arc));
    for (const auto &text : texts) box.include(textBox(text));
    return box;
}

DxfBox DxfDrawing::sheet() const {
    DxfBox box;
    if (!extMax) return box;
    box.include(extMin.value_or(DxfPoint{}));
    box.include(*extMax);
    return box;
}

std::string decodeDxfText(std::string_view bytes, std::string_view codePage) {
    if (auto text = rovena::decodeToUtf8(bytes, iconvName(codePage).c_str())) return *text;
    if (auto text = rovena::decodeToUtf8(bytes, "CP932")) return *text;
    return std::string(bytes);
}

DxfReadResult readDxfFile(const std::string &path) {
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

std::string readStatusMessage(DxfReadStatus status) {
    switch (status) {
    case DxfReadStatus::ok: return {};
    case DxfReadStatus::cannotOpen: return "ＤＸＦファイルを開けません。";
    case DxfReadStatus::notDxf: return "ＤＸＦファイルではありません。";
    case DxfReadStatus::truncated: return "ＤＸＦファイルが途中で切れています。読めた部分だけを表示します。";
    case DxfReadStatus::failed: return "ＤＸＦファイルを読み込めませんでした。";
    case DxfReadStatus::cancelled: return "ＤＸＦファイルの読み込みを中止しました。";
    }
    return {};
}

}  // namespace rovena::preview
