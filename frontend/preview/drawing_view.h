// A widget that paints a DXF drawing read back from its file: the sheet in
// white with its frame, the linework in the colours of its layers and the
// texts through Qt's fonts. Wheel zooms around the cursor, dragging pans.
#pragma once

#include <QPoint>
#include <QPointF>
#include <QTransform>
#include <QWidget>

#include "dxf_reader.h"

class QPainter;

namespace rovena::preview {

class DrawingView : public QWidget {
    Q_OBJECT
public:
    explicit DrawingView(QWidget *parent = nullptr);

    void setDrawing(DxfDrawing drawing);
    void clearDrawing();
    bool hasDrawing() const { return hasDrawing_; }
    const DxfDrawing &drawing() const { return drawing_; }

    // The box the view fits: the sheet and everything drawn on it.
    DxfBox fitBox() const;
    // Drawing coordinates (millimetres, y up) to widget pixels and back.
    QTransform viewTransform() const;
    QPointF toView(DxfPoint p) const;
    DxfPoint toDrawing(QPointF p) const;
    double pixelsPerUnit() const { return scale_; }

    // Magnifies by factor, keeping the drawing point under viewPos in place.
    void zoomAt(QPointF viewPos, double factor);
    void panBy(QPointF delta);

    QSize sizeHint() const override;

public slots:
    void fitToView();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void paintSheet(QPainter &painter) const;
    void paintLinework(QPainter &painter) const;
    void paintTexts(QPainter &painter) const;
    void drawSegment(QPainter &painter, QPointF a, QPointF b) const;
    bool layerShown(const std::string &layer) const;
    QColor entityColour(const std::string &layer, int color) const;

    DxfDrawing drawing_;
    bool hasDrawing_ = false;
    double scale_ = 1.0;   // pixels per drawing unit
    double offsetX_ = 0.0; // view position of the drawing origin
    double offsetY_ = 0.0;
    bool fitted_ = true;   // the view shows the whole drawing, so a resize refits
    bool dragging_ = false;
    QPointF lastDragPos_;
};

}  // namespace rovena::preview
