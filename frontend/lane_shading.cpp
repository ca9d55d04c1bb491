#include "lane_shading.h"

#include <QApplication>
#include <QLineEdit>
#include <QPalette>

#include "form_validation.h"
#include "leading_number.h"

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
    for (int i = 0; i < kLaneRows; ++i) {
        const QString text = asciiForm(side.width[i]->text());
        if (text.isEmpty() || leadingNumber(text) == 0.0) return i;
    }
    return kLaneRows;
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
