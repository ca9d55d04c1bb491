#include "lane_shading.h"

#include <QApplication>
#include <QLineEdit>
#include <QPalette>


namespace rovena {

namespace {

void setBackground(QLineEdit *box, const QColor &colour) {
    QPalette palette = box->palette();
    if (palette.color(QPalette::Base) == colour) return;
    palette.setColor(QPalette::Base, colour);
    box->setPalette(palette);
}

} // namespace

int laneCount(const LaneSide &side) {
    std::array<QString, kLaneRows> widths;
    for (int i = 0; i < kLaneRows; ++i) widths[i] = side.width[i]->text();
    return laneCount(widths);
}

QColor usedRowColour(const QLineEdit *box) {
    return QApplication::palette(box).color(QPalette::Active, QPalette::Base);
}

void shadeLaneRows(const LaneSide &side) {
    const int inUse = laneCount(side);
    for (int i = 0; i < kLaneRows; ++i) {
        const QColor colour = i < inUse ? usedRowColour(side.width[i]) : kUnusedRowColour;
        setBackground(side.width[i], colour);
        setBackground(side.widening[i], colour);
    }
}

} // namespace rovena
