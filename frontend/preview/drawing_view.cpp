#include "drawing_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

#include "geometry_painter.h"

namespace rovena::preview {

namespace {

constexpr double fitMargin = 0.03;        // free border around the fitted drawing, per side
constexpr double minZoomOut = 0.05;       // smallest scale as a part of the fitted scale
constexpr double maxPixelsPerUnit = 20.0; // largest scale: 20 pixels per millimetre
constexpr double smallestReadableText = 4.0; // pixels; smaller texts are drawn as a stroke
constexpr double detailTolerance = 0.45;  // pixels, twice of which a line may move when simplified

const QColor backgroundColour(160, 160, 160);
const QColor sheetColour(255, 255, 255);

}  // namespace

DrawingView::DrawingView(QWidget *parent) : QWidget(parent) {
    setMouseTracking(false);
    setFocusPolicy(Qt::WheelFocus);
    setCursor(Qt::OpenHandCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize DrawingView::sizeHint() const { return {900, 640}; }

void DrawingView::setDrawing(DxfDrawing drawing) { setGeometry(PreviewGeometry::build(std::move(drawing))); }

void DrawingView::setGeometry(std::shared_ptr<const PreviewGeometry> geometry) {
    geometry_ = std::move(geometry);
    fitToView();
}

void DrawingView::replaceGeometry(std::shared_ptr<const PreviewGeometry> geometry) {
    geometry_ = std::move(geometry);
    if (fitted_) fitToView();
    else update();
}

void DrawingView::clearDrawing() {
    geometry_.reset();
    update();
}

void DrawingView::setLevelOfDetail(bool on) {
    levelOfDetail_ = on;
    update();
}

DxfBox DrawingView::fitBox() const { return geometry_ ? geometry_->extents() : DxfBox{}; }

double DrawingView::fitScale() const {
    const DxfBox box = fitBox();
    if (box.empty) return scale_;
    const double bw = std::max(box.width(), 1e-6), bh = std::max(box.height(), 1e-6);
    return (1.0 - 2.0 * fitMargin) * std::min(std::max(1, width()) / bw, std::max(1, height()) / bh);
}

void DrawingView::fitToView() {
    DxfBox box = fitBox();
    const double w = std::max(1, width()), h = std::max(1, height());
    if (box.empty) {
        scale_ = 1.0;
        offsetX_ = w / 2.0;
        offsetY_ = h / 2.0;
    } else {
        scale_ = fitScale();
        const double cx = (box.minX + box.maxX) / 2.0, cy = (box.minY + box.maxY) / 2.0;
        offsetX_ = w / 2.0 - cx * scale_;
        offsetY_ = h / 2.0 + cy * scale_;
    }
    fitted_ = true;
    update();
}

QTransform DrawingView::viewTransform() const {
    return QTransform(scale_, 0.0, 0.0, -scale_, offsetX_, offsetY_);
}

QPointF DrawingView::toView(DxfPoint p) const {
    return {p.x * scale_ + offsetX_, offsetY_ - p.y * scale_};
}

DxfPoint DrawingView::toDrawing(QPointF p) const {
    return {(p.x() - offsetX_) / scale_, (offsetY_ - p.y()) / scale_};
}

void DrawingView::zoomAt(QPointF viewPos, double factor) {
    if (!(factor > 0.0) || !std::isfinite(factor)) return;
    const double fitted = fitScale();
    const double lowest = fitted * minZoomOut;
    const double highest = std::max(maxPixelsPerUnit, fitted);
    const double newScale = std::clamp(scale_ * factor, lowest, highest);
    const DxfPoint anchor = toDrawing(viewPos);
    scale_ = newScale;
    offsetX_ = viewPos.x() - anchor.x * scale_;
    offsetY_ = viewPos.y() + anchor.y * scale_;
    fitted_ = false;
    update();
}

void DrawingView::panBy(QPointF delta) {
    offsetX_ += delta.x();
    offsetY_ += delta.y();
    fitted_ = false;
    update();
}

void DrawingView::centreOn(DxfPoint p) { panBy(QPointF(width() / 2.0, height() / 2.0) - toView(p)); }

void DrawingView::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), backgroundColour);
    if (!geometry_) return;
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    paintSheet(painter);
    PaintFrame frame;
    frame.scale = scale_;
    frame.offsetX = offsetX_;
    frame.offsetY = offsetY_;
    frame.visible = QRectF(rect());
    frame.tolerance = levelOfDetail_ ? detailTolerance : 0.0;
    frame.smallestText = smallestReadableText;
    paintSheetFrame(painter, *geometry_, frame);
    paintLinework(painter, *geometry_, frame);
    paintTexts(painter, *geometry_, frame);
}

void DrawingView::paintSheet(QPainter &painter) const {
    const DxfBox &sheet = geometry_->sheet();
    if (sheet.empty) {
        painter.fillRect(rect(), sheetColour);
        return;
    }
    QRectF r(toView({sheet.minX, sheet.maxY}), toView({sheet.maxX, sheet.minY}));
    painter.fillRect(r.intersected(QRectF(rect()).adjusted(-2, -2, 2, 2)), sheetColour);
}

void DrawingView::resizeEvent(QResizeEvent *event) {
    if (fitted_) {
        fitToView();
    } else {
        // Keep the drawing point at the centre where it was.
        const QPointF shift = QPointF(event->size().width() - event->oldSize().width(),
                                      event->size().height() - event->oldSize().height()) / 2.0;
        if (event->oldSize().isValid()) panBy(shift);
        fitted_ = false;
    }
}

void DrawingView::wheelEvent(QWheelEvent *event) {
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        event->ignore();
        return;
    }
    zoomAt(event->position(), std::pow(1.2, delta / 120.0));
    event->accept();
}

void DrawingView::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton) {
        dragging_ = true;
        lastDragPos_ = event->position();
        setCursor(Qt::ClosedHandCursor);
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void DrawingView::mouseMoveEvent(QMouseEvent *event) {
    if (!dragging_) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    panBy(event->position() - lastDragPos_);
    lastDragPos_ = event->position();
    event->accept();
}

void DrawingView::mouseReleaseEvent(QMouseEvent *event) {
    if (dragging_ && (event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton)) {
        dragging_ = false;
        setCursor(Qt::OpenHandCursor);
        event->accept();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void DrawingView::mouseDoubleClickEvent(QMouseEvent *event) {
    if (event->button() == Qt::MiddleButton) {
        fitToView();
        event->accept();
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

}  // namespace rovena::preview
