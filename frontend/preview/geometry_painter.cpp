#include "geometry_painter.h"

#include <QFont>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <vector>

namespace rovena::preview {

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr double fontReferencePixels = 100.0;
constexpr double clipMargin = 4.0;

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

int outcode(QPointF p, const QRectF &r) {
    return (p.x() < r.left() ? 1 : 0) | (p.x() > r.right() ? 2 : 0) | (p.y() < r.top() ? 4 : 0) |
           (p.y() > r.bottom() ? 8 : 0);
}

// Collects the device points of one line into runs that lie in the visible
// area and draws each run as one polyline, leaving out vertices within the
// tolerance of the last point kept.
class RunPainter {
public:
    // Within a run, points closer than the tolerance to the last one kept are left out.
    RunPainter(QPainter &painter, const QRectF &bounds, double tolerance)
        : painter_(painter), bounds_(bounds), tolerance2_(tolerance * tolerance) {}
    ~RunPainter() { flush(); }

    void start(QPointF p) {
        flush();
        previous_ = p;
        previousCode_ = outcode(p, bounds_);
    }

    void lineTo(QPointF p) {
        const int code = outcode(p, bounds_), codeA = previousCode_;
        QPointF a = previous_, b = p;
        const bool aInside = codeA == 0, bInside = code == 0;
        previous_ = p;
        previousCode_ = code;
        if ((code & codeA) != 0 || (!(aInside && bInside) && !clipSegment(a, b, bounds_))) {
            flush();
            return;
        }
        if (run_.empty() || !aInside) {
            flush();
            run_.push_back(a);
        }
        const QPointF d = b - run_.back();
        if (bInside && d.x() * d.x() + d.y() * d.y() < tolerance2_) {
            pending_ = b;
            hasPending_ = true;
            return;
        }
        run_.push_back(b);
        hasPending_ = false;
        if (!bInside) flush();
    }

    void flush() {
        if (hasPending_) run_.push_back(pending_);
        hasPending_ = false;
                if (run_.size() >= 2) painter_.drawPolyline(run_.data(), static_cast<int>(run_.size()));
        run_.clear();
    }

private:
    QPainter &painter_;
    QRectF bounds_;
    double tolerance2_;
    std::vector<QPointF> run_;
    QPointF previous_;
    int previousCode_ = 0;
    QPointF pending_;
    bool hasPending_ = false;
};

QColor colourOf(std::uint32_t rgb, const PaintFrame &frame) {
    return frame.black ? QColor(Qt::black) : QColor::fromRgb(static_cast<QRgb>(rgb));
}

QPen linePen(const PaintFrame &frame) {
    QPen pen;
    pen.setWidthF(frame.lineWidth);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void paintPolyline(RunPainter &runs, const GeometryPolyline &polyline, const PaintFrame &frame) {
    // A coarser level of the polyline when its error stays within the tolerance.
    const std::vector<DxfPoint> &v = polyline.pointsWithin(frame.tolerance / frame.scale);
    runs.start(frame.toDevice(v.front()));
    for (std::size_t i = 1; i < v.size(); ++i) runs.lineTo(frame.toDevice(v[i]));
    if (polyline.closed && v.size() > 2) runs.lineTo(frame.toDevice(v.front()));
    runs.flush();
}

void paintArc(RunPainter &runs, const DxfArc &arc, const PaintFrame &frame) {
    double sweep = std::fmod(arc.endDegrees - arc.startDegrees, 360.0);
    if (sweep <= 0.0) sweep += 360.0;
    const double sweepRadians = sweep * pi / 180.0;
    // Chords short enough to stay within a quarter device unit of the true arc.
    const double radiusDevice = arc.radius * frame.scale;
    const double steps =
        std::clamp(std::ceil(sweepRadians * std::sqrt(std::max(radiusDevice, 1.0) / 0.5)), 4.0, 20000.0);
    const double start = arc.startDegrees * pi / 180.0;
    auto at = [&](double a) {
        return frame.toDevice({arc.centre.x + arc.radius * std::cos(a), arc.centre.y + arc.radius * std::sin(a)});
    };
    runs.start(at(start));
    for (int i = 1; i <= static_cast<int>(steps); ++i) runs.lineTo(at(start + sweepRadians * i / steps));
    runs.flush();
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

void paintSheetFrame(QPainter &painter, const PreviewGeometry &geometry, const PaintFrame &frame) {
    const DxfBox &sheet = geometry.sheet();
    if (sheet.empty) return;
    QPen pen = linePen(frame);
    pen.setColor(Qt::black);
    painter.setPen(pen);
    RunPainter runs(painter, frame.visible.adjusted(-clipMargin, -clipMargin, clipMargin, clipMargin), 0.0);
    runs.start(frame.toDevice({sheet.minX, sheet.minY}));
    runs.lineTo(frame.toDevice({sheet.maxX, sheet.minY}));
    runs.lineTo(frame.toDevice({sheet.maxX, sheet.maxY}));
    runs.lineTo(frame.toDevice({sheet.minX, sheet.maxY}));
    runs.lineTo(frame.toDevice({sheet.minX, sheet.minY}));
}

void paintLinework(QPainter &painter, const PreviewGeometry &geometry, const PaintFrame &frame) {
    const QRectF bounds = frame.visible.adjusted(-clipMargin, -clipMargin, clipMargin, clipMargin);
    QPen pen = linePen(frame);
    RunPainter runs(painter, bounds, frame.tolerance);
    for (const GeometryPolyline &polyline : geometry.polylines()) {
        if (!frame.boxToDevice(polyline.box).adjusted(-1, -1, 1, 1).intersects(bounds)) continue;
        pen.setColor(colourOf(polyline.rgb, frame));
        painter.setPen(pen);
        paintPolyline(runs, polyline, frame);
    }
    for (const GeometryArc &arc : geometry.arcs()) {
        if (!frame.boxToDevice(arc.box).adjusted(-1, -1, 1, 1).intersects(bounds)) continue;
        pen.setColor(colourOf(arc.rgb, frame));
        painter.setPen(pen);
        paintArc(runs, arc.arc, frame);
    }
}

void paintTexts(QPainter &painter, const PreviewGeometry &geometry, const PaintFrame &frame) {
    painter.setFont(textFont());
    const QRectF bounds = frame.visible.adjusted(-clipMargin, -clipMargin, clipMargin, clipMargin);
    QPen pen = linePen(frame);
    for (const GeometryText &text : geometry.texts()) {
        if (!frame.boxToDevice(text.box).intersects(bounds)) continue;
        QColor colour = colourOf(text.rgb, frame);
        const double heightDevice = text.height * frame.scale;
        const double a = text.rotationDegrees * pi / 180.0;
        if (heightDevice < frame.smallestText) {
            // Too small to read: a stroke along the base line shows where it stands.
            colour.setAlpha(140);
            pen.setColor(colour);
            painter.setPen(pen);
            const DxfPoint end{text.position.x + text.length * std::cos(a), text.position.y + text.length * std::sin(a)};
            RunPainter runs(painter, bounds, 0.0);
            runs.start(frame.toDevice(text.position));
            runs.lineTo(frame.toDevice(end));
            continue;
        }
        pen.setColor(colour);
        painter.setPen(pen);
        painter.save();
        painter.translate(frame.toDevice(text.position));
        painter.rotate(-text.rotationDegrees);  // counter-clockwise in the drawing, y points down here
        const double k = heightDevice / fontReferencePixels;
        painter.scale(k * text.widthFactor, k);
        painter.drawText(QPointF(0.0, 0.0), text.text);
        painter.restore();
    }
}

}  // namespace rovena::preview
