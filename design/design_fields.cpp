#include "design/design_fields.h"

namespace design_model {

namespace {

std::string laneLabel(const char *side, const char *row, int index) {
    return std::string(side) + " " + row + " " + std::to_string(index + 1) + " 列目";
}

} // namespace

std::string fieldLabel(Field field, int index) {
    for (const TextField &f : kTextFields)
        if (f.field == field) return f.label;
    switch (field) {
    case Field::RightWidth: return laneLabel("右側データ", "車線幅", index);
    case Field::RightWidening: return laneLabel("右側データ", "拡幅量", index);
    case Field::LeftWidth: return laneLabel("左側データ", "車線幅", index);
    case Field::LeftWidening: return laneLabel("左側データ", "拡幅量", index);
    case Field::Intervals: return "法線設置位置 " + std::to_string(index + 1) + " 行目";
    default: return {};
    }
}

} // namespace design_model
