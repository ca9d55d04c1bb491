#include "lane_shading.h"

#include <QApplication>
#include <QLineEdit>
#include <QPalette>

#include "design/design_texts.h"

namespace rovena {

namespace {

void setBackground(QLineEdit *box, const QColor &colour) {
    QPalette palette = box->palette();
    if (palette.color(QPalette::Base) == colour) return;
    palette.setColor(QPalette::Base, colour);
    box->setPalette(palette);
}

// The ordinary background of a text box (the background of a row in use).
QColor usedRowColour(const QLineEdit *box) {
    return QApplication::palette(box).color(QPalette::Active, QPalette::Base);
}

} // namespace

int laneCount(const LaneBoxes &side) {
    design_model::LaneTexts texts;
    for (int i = 0; i < design_model::kLaneRows; ++i) texts.width[i] = side.width[i]->text().toStdString();
    return design_model::laneCount(texts);
}

void shadeLaneRows(const LaneBoxes &side) {
    const int inUse = laneCount(side);
    for (int i = 0; i < design_model::kLaneRows; ++i) {
        const QColor colour = i < inUse ? usedRowColour(side.width[i]) : kUnusedRowColour;
        setBackground(side.width[i], colour);
        setBackground(side.widening[i], colour);
    }
}

} // namespace rovena
