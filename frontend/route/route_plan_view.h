// The plan of the route in the route window: the preview's view of a
// drawing (wheel zooms around the cursor, dragging pans), showing the plan
// made from the last computation, with the selected IP and its curve
// highlighted over it.
#pragma once

#include <optional>
#include <vector>

#include "drawing_view.h"

namespace rovena {

class RoutePlanView : public preview::DrawingView {
    Q_OBJECT

public:
    explicit RoutePlanView(QWidget *parent = nullptr);

    // The plan after an edit: the view stays where the user put it.
    void showPlan(std::shared_ptr<const preview::PreviewGeometry> plan);
    // The plan of a route just opened, fitted to the view.
    void showNewPlan(std::shared_ptr<const preview::PreviewGeometry> plan);
    // The IP (none: no highlight) and its curve along the line.
    void setHighlight(std::optional<preview::DxfPoint> ip, std::vector<preview::DxfPoint> curve);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::optional<preview::DxfPoint> ip_;
    std::vector<preview::DxfPoint> curve_;
};

} // namespace rovena
