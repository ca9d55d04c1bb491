#include "dxf_reader.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "design/text_encoding.h"

namespace rovena::preview {

namespace {

constexpr double pi = 3.14159265358979323846;

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
    if (auto text = design_model::decodeToUtf8(bytes, iconvName(codePage).c_str())) return *text;
    if (auto text = design_model::decodeToUtf8(bytes, "CP932")) return *text;
    return std::string(bytes);
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
