// Paints a PreviewGeometry through a QPainter for the screen, the printer and
// PDF alike. Points are taken to device coordinates here (the painter keeps
// its identity transform), cut to the visible area, and simplified twice:
// a polyline's detail level (made beforehand) is taken when its error is
// within the tolerance, then vertices closer than the tolerance to the last
// one kept are left out. The picture thus differs from the one of every
// vertex by no more than twice the tolerance, along the lines.
#pragma once

#include <QPointF>
#include <QRectF>

#include "preview_geometry.h"

class QPainter;

namespace rovena::preview {

struct PaintFrame {
    double scale = 1.0;     // device units per drawing unit
    double offsetX = 0.0;   // device position of the drawing origin; y runs down
    double offsetY = 0.0;
    QRectF visible;         // the device area to paint
    double tolerance = 0.4; // device units of each of the two simplifications; 0 keeps every vertex
    double lineWidth = 1.0; // device units
    bool black = false;     // every line and text in black
    double smallestText = 0.0; // device units; lower texts become a stroke on their base line

    QPointF toDevice(DxfPoint p) const { return {p.x * scale + offsetX, offsetY - p.y * scale}; }
    QRectF boxToDevice(const DxfBox &box) const {
        return QRectF(toDevice(DxfPoint{box.minX, box.maxY}), toDevice(DxfPoint{box.maxX, box.minY})).normalized();
    }
};

// The frame of the sheet (nothing without one).
void paintSheetFrame(QPainter &painter, const PreviewGeometry &geometry, const PaintFrame &frame);
void paintLinework(QPainter &painter, const PreviewGeometry &geometry, const PaintFrame &frame);
void paintTexts(QPainter &painter, const PreviewGeometry &geometry, const PaintFrame &frame);

}  // namespace rovena::preview
