// The dialog 座標配置: zone, route and the points BP, IP and EP of the curve
// in the plane rectangular coordinate system.
#pragma once

#include <QDialog>
#include <array>

#include "design/placement_section.h"

class QLineEdit;

namespace rovena {

class PlacementDialog : public QDialog {
    Q_OBJECT

public:
    PlacementDialog(const design_model::PlacementTexts &entry, QWidget *parent = nullptr);

    // The texts as typed; empty after 座標を使わない.
    design_model::PlacementTexts entry() const;

private:
    QLineEdit *zone_ = nullptr;
    QLineEdit *route_ = nullptr;
    std::array<QLineEdit *, 6> points_{}; // BP X, BP Y, IP X, IP Y, EP X, EP Y
    bool cleared_ = false;
};

} // namespace rovena
