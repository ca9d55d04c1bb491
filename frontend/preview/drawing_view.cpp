#include "drawing_view.h"

#include <QFont>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QResizeEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

#include "aci_colour.h"

namespace rovena::preview {

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr double fitMargin = 0.03;        // free border around the fitted drawing, per side
constexpr double minZoomOut = 0.05;       // smallest scale as a part of the fitted scale
constexpr double maxPixelsPerUnit = 20.0; // largest scale: 20 pixels per millimetre
constexpr double fontReferencePixels = 100.0;
constexpr double smallestReadableText = 4.0; // pixels; smaller texts are drawn as a stroke

const QColor backgroundColour(160, 160, 160);
const QColor sheetColour(255, 255, 255);
const QColor frameColour(0, 0, 0);

// Liang-Barsky: cuts the segment a-b to the rectangle; false when nothing is left.
bool clipSegment(QPointF &a, QPointF &b, const QRectF &r) {
    double t0 = 0.0, t1 = 1.0;
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) t0 = std::max(t0, t);
        else t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    const QPointF start = a;
    a = start + QPointF(dx * t0, dy * t0);
    b = start + QPointF(dx * t1, dy * t1);
    return true;
}

QFont textFont() {
    // A fixed-pitch Japanese face keeps the columns of the element table,
    // which are laid out by counting bytes, in line.
    QFont font(QStringLiteral("IPAGothic"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(static_cast<int>(fontReferencePixels));
    return font;
}

}  // namespace

DrawingView::DrawingView(QWidget *parent) : QWidget(parent) {
    setMouseTracking(false);
    setFocusPolicy(Qt::WheelFocus);
    setCursor(Qt::OpenHandCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize DrawingView::sizeHint() const { return {900, 640}; }

void DrawingView::setDrawing(DxfDrawing drawing) {
    drawing_ = std::move(drawing);
    hasDrawing_ = true;
    fitToView();
}

void DrawingView::clearDrawing() {
    drawing_ = DxfDrawing{};
    hasDrawing_ = false;
    update();
}

DxfBox DrawingView::fitBox() const {
    DxfBox box = drawing_.sheet();
    box.include(drawing_.entityExtents());
    return box;
}

void DrawingView::fitToView() {
    DxfBox box = fitBox();
    const double w = std::max(1, width()), h = std::max(1, height());
    if (box.empty) {
        scale_ = 1.0;
        offsetX_ = w / 2.0;
        offsetY_ = h / 2.0;
    } else {
        const double bw = std::max(box.width(), 1e-6), bh = std::max(box.height(), 1e-6);
        scale_ = (1.0 - 2.0 * fitMargin) * std::min(w / bw, h / bh);
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
    const DxfBox box = fitBox();
    double fitScale = scale_;
    if (!box.empty) {
        const double bw = std::max(box.width(), 1e-6), bh = std::max(box.height(), 1e-6);
        fitScale = (1.0 - 2.0 * fitMargin) * std::min(std::max(1, width()) / bw, std::max(1, height()) / bh);
    }
    const double lowest = fitScale * minZoomOut;
    const double highest = std::max(maxPixelsPerUnit, fitScale);
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

bool DrawingView::layerShown(const std::string &layer) const {
    const DxfLayer *found = drawing_.findLayer(layer);
    return !found || found->color >= 0;
}

QColor DrawingView::entityColour(const std::string &layer, int color) const {
    return QColor::fromRgb(static_cast<QRgb>(aciToRgb(drawing_.effectiveColor(layer, color))));
}

void DrawingView::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), backgroundColour);
    if (!hasDrawing_) return;
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    paintSheet(painter);
    paintLinework(painter);
    paintTexts(painter);
}

void DrawingView::paintSheet(QPainter &painter) const {
    const DxfBox sheet = drawing_.sheet();
    if (sheet.empty) {
        painter.fillRect(rect(), sheetColour);
        return;
    }
    QRectF r(toView({sheet.minX, sheet.maxY}), toView({sheet.maxX, sheet.minY}));
    painter.fillRect(r.intersected(QRectF(rect()).adjusted(-2, -2, 2, 2)), sheetColour);
    QPen pen(frameColour);
    pen.setWidthF(1.0);
    pen.setCosmetic(true);
    painter.setPen(pen);
    drawSegment(painter, r.topLeft(), r.topRight());
    drawSegment(painter, r.topRight(), r.bottomRight());
    drawSegment(painter, r.bottomRight(), r.bottomLeft());
    drawSegment(painter, r.bottomLeft(), r.topLeft());
}

void DrawingView::drawSegment(QPainter &painter, QPointF a, QPointF b) const {
    // Zoomed far in, the points lie millions of pixels away; cut the segment
    // to the widget first so the rasteriser only sees small numbers.
    const QRectF bounds = QRectF(rect()).adjusted(-4, -4, 4, 4);
    if (clipSegment(a, b, bounds)) painter.drawLine(a, b);
}

void DrawingView::paintLinework(QPainter &painter) const {
    QPen pen;
    pen.setWidthF(1.0);
    pen.setCosmetic(true);
    pen.setCapStyle(Qt::RoundCap);

    for (const auto &line : drawing_.lines) {
        if (!layerShown(line.layer)) continue;
        pen.setColor(entityColour(line.layer, line.color));
        painter.setPen(pen);
        drawSegment(painter, toView(line.start), toView(line.end));
    }
    for (const auto &polyline : drawing_.polylines) {
        if (!layerShown(polyline.layer) || polyline.vertices.empty()) continue;
        pen.setColor(entityColour(polyline.layer, polyline.color));
        painter.setPen(pen);
        const auto &v = polyline.vertices;
        for (size_t i = 1; i < v.size(); ++i) drawSegment(painter, toView(v[i - 1]), toView(v[i]));
        if (polyline.closed && v.size() > 2) drawSegment(painter, toView(v.back()), toView(v.front()));
    }
    for (const auto &arc : drawing_.arcs) {
        if (!layerShown(arc.layer) || !(arc.radius > 0.0)) continue;
        pen.setColor(entityColour(arc.layer, arc.color));
        painter.setPen(pen);
        double sweep = std::fmod(arc.endDegrees - arc.startDegrees, 360.0);
        if (sweep <= 0.0) sweep += 360.0;
        const double sweepRadians = sweep * pi / 180.0;
        // Chords short enough to stay within a quarter pixel of the true arc.
        const double radiusPixels = arc.radius * scale_;
        const int steps = static_cast<int>(
            std::clamp(std::ceil(sweepRadians * std::sqrt(std::max(radiusPixels, 1.0) / 0.5)), 4.0, 20000.0));
        const double start = arc.startDegrees * pi / 180.0;
        QPointF previous = toView({arc.centre.x + arc.radius * std::cos(start),
                                   arc.centre.y + arc.radius * std::sin(start)});
        for (int i = 1; i <= steps; ++i) {
            const double a = start + sweepRadians * i / steps;
            const QPointF next = toView({arc.centre.x + arc.radius * std::cos(a),
                                         arc.centre.y + arc.radius * std::sin(a)});
            drawSegment(painter, previous, next);
            previous = next;
        }
    }
}

void DrawingView::paintTexts(QPainter &painter) const {
    const QFont font = textFont();
    painter.setFont(font);
    const QRectF visible = QRectF(rect()).adjusted(-4, -4, 4, 4);
    QPen pen;
    pen.setCosmetic(true);
    pen.setWidthF(1.0);

    for (const auto &text : drawing_.texts) {
        if (!layerShown(text.layer) || text.bytes.empty()) continue;
        const DxfBox box = textBox(text);
        const QRectF area = QRectF(toView({box.minX, box.maxY}), toView({box.maxX, box.minY})).normalized();
        if (!area.intersects(visible)) continue;

        QColor colour = entityColour(text.layer, text.color);
        const double heightPixels = text.height * scale_;
        if (heightPixels < smallestReadableText) {
            // Too small to read: a stroke along the base line shows where it stands.
            colour.setAlpha(140);
            pen.setColor(colour);
            painter.setPen(pen);
            const double length = 0.5 * text.height * text.widthFactor * static_cast<double>(text.bytes.size());
            const double a = text.rotationDegrees * pi / 180.0;
            const DxfPoint end{text.position.x + length * std::cos(a), text.position.y + length * std::sin(a)};
            drawSegment(painter, toView(text.position), toView(end));
            continue;
        }
        pen.setColor(colour);
        painter.setPen(pen);
        painter.save();
        painter.translate(toView(text.position));
        painter.rotate(-text.rotationDegrees);  // counter-clockwise in the drawing, y points down here
        const double k = heightPixels / fontReferencePixels;
        painter.scale(k * (text.widthFactor > 0.0 ? text.widthFactor : 1.0), k);
        painter.drawText(QPointF(0.0, 0.0), QString::fromStdString(text.utf8));
        painter.restore();
    }
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
