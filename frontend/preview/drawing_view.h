// A widget that paints a DXF drawing read back from its file: the sheet in
// white with its frame, the linework in the colours of its layers and the
// texts through Qt's fonts. Wheel zooms around the cursor, dragging pans.
// Lines are drawn at the detail the zoom needs (see geometry_painter.h).
#pragma once

#include <QPoint>
#include <QPointF>
#include <QTransform>
#include <QWidget>

#include <memory>

#include "dxf_reader.h"
#include "preview_geometry.h"

class QPainter;

namespace rovena::preview {

class DrawingView : public QWidget {
    Q_OBJECT
public:
    explicit DrawingView(QWidget *parent = nullptr);

    void setDrawing(DxfDrawing drawing);
    // Shows the geometry and fits it to the view.
    void setGeometry(std::shared_ptr<const PreviewGeometry> geometry);
    // Shows the geometry in place of the one shown, keeping the view (a view
    // that shows the whole drawing is fitted to the new one).
    void replaceGeometry(std::shared_ptr<const PreviewGeometry> geometry);
    void clearDrawing();
    bool hasDrawing() const { return geometry_ != nullptr; }
    const std::shared_ptr<const PreviewGeometry> &geometry() const { return geometry_; }
    // Off: every vertex is drawn (for comparison); on by default.
    void setLevelOfDetail(bool on);

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
    // Moves the drawing point p to the middle of the view.
    void centreOn(DxfPoint p);

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
    double fitScale() const;

    std::shared_ptr<const PreviewGeometry> geometry_;
    bool levelOfDetail_ = true;
    double scale_ = 1.0;   // pixels per drawing unit
    double offsetX_ = 0.0; // view position of the drawing origin
    double offsetY_ = 0.0;
    bool fitted_ = true;   // the view shows the whole drawing, so a resize refits
    bool dragging_ = false;
    QPointF lastDragPos_;
};

}  // namespace rovena::preview
