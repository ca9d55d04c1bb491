#include "world_placement_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace rovena {

namespace {

QLineEdit *field(QWidget *parent, const QString &name, const std::string &text) {
    auto *edit = new QLineEdit(QString::fromStdString(text), parent);
    edit->setObjectName(name);
    return edit;
}

} // namespace

PlacementDialog::PlacementDialog(const design_model::PlacementTexts &entry, QWidget *parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("座標配置"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("平面直角座標系 (JGD2011)。X は北、Y は東 (m)。\n"
                                                "座標を入れると、ＩＡと曲線方向は BP, IP, EP から求めます。"),
                                 this));

    auto *form = new QFormLayout;
    zone_ = field(this, QStringLiteral("placementZone"), entry.zone);
    zone_->setPlaceholderText(QStringLiteral("1～19"));
    route_ = field(this, QStringLiteral("placementRoute"), entry.route);
    form->addRow(QStringLiteral("系番号"), zone_);
    form->addRow(QStringLiteral("路線名"), route_);
    layout->addLayout(form);

    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("X (北)"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Y (東)"), this), 0, 2);
    const QString names[3] = {QStringLiteral("bp"), QStringLiteral("ip"), QStringLiteral("ep")};
    const QString captions[3] = {QStringLiteral("BP (起点側の点)"), QStringLiteral("IP"), QStringLiteral("EP (終点側の点)")};
    const std::array<std::string, 2> *values[3] = {&entry.bp, &entry.ip, &entry.ep};
    for (int row = 0; row < 3; ++row) {
        grid->addWidget(new QLabel(captions[row], this), row + 1, 0);
        for (int c = 0; c < 2; ++c) {
            points_[std::size_t(2 * row + c)] =
                field(this, QStringLiteral("placement_%1_%2").arg(names[row], c == 0 ? u"x" : u"y"), (*values[row])[c]);
            grid->addWidget(points_[std::size_t(2 * row + c)], row + 1, c + 1);
        }
    }
    layout->addLayout(grid);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton *clear = buttons->addButton(QStringLiteral("座標を使わない"), QDialogButtonBox::ResetRole);
    clear->setObjectName(QStringLiteral("placementClear"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(clear, &QPushButton::clicked, this, [this] {
        cleared_ = true;
        accept();
    });
    layout->addWidget(buttons);
}

design_model::PlacementTexts PlacementDialog::entry() const {
    design_model::PlacementTexts e;
    if (cleared_) return e;
    e.zone = zone_->text().toStdString();
    e.route = route_->text().toStdString();
    for (int row = 0; row < 3; ++row) {
        std::array<std::string, 2> &target = row == 0 ? e.bp : row == 1 ? e.ip : e.ep;
        target[0] = points_[std::size_t(2 * row)]->text().toStdString();
        target[1] = points_[std::size_t(2 * row + 1)]->text().toStdString();
    }
    return e;
}

} // namespace rovena
