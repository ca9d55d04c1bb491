#include "route_plan_view.h"

#include <QPainter>
#include <QPen>

namespace rovena {

namespace {

const QColor kHighlight(255, 140, 0, 150);
constexpr double kHighlightWidth = 6;  // pixels
constexpr double kIpRingRadius = 10;   // pixels

} // namespace

RoutePlanView::RoutePlanView(QWidget *parent) : preview::DrawingView(parent) {}

void RoutePlanView::showPlan(std::shared_ptr<const preview::PreviewGeometry> plan) { replaceGeometry(std::move(plan)); }

void RoutePlanView::showNewPlan(std::shared_ptr<const preview::PreviewGeometry> plan) { setGeometry(std::move(plan)); }

void RoutePlanView::setHighlight(std::optional<preview::DxfPoint> ip, std::vector<preview::DxfPoint> curve) {
    ip_ = ip;
    curve_ = std::move(curve);
    update();
}

void RoutePlanView::paintEvent(QPaintEvent *event) {
    preview::DrawingView::paintEvent(event);
    if (!ip_ && curve_.empty()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPen pen(kHighlight, kHighlightWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    if (curve_.size() >= 2) {
        QPolygonF line;
        line.reserve(static_cast<qsizetype>(curve_.size()));
        for (const preview::DxfPoint &p : curve_) line << toView(p);
        painter.drawPolyline(line);
    }
    if (ip_) {
        pen.setWidthF(kHighlightWidth / 2);
        painter.setPen(pen);
        painter.drawEllipse(toView(*ip_), kIpRingRadius, kIpRingRadius);
    }
}

} // namespace rovena
