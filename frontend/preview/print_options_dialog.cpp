#include "print_options_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace rovena::preview {

namespace {

// Each pair of exclusive choices has a group of its own, as the buttons of
// one parent would otherwise all exclude each other.
void groupPair(QWidget *parent, QRadioButton *a, QRadioButton *b) {
    auto *group = new QButtonGroup(parent);
    group->addButton(a);
    group->addButton(b);
}

QWidget *pairOf(QWidget *parent, QRadioButton *a, QRadioButton *b) {
    auto *row = new QWidget(parent);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(a);
    layout->addWidget(b);
    layout->addStretch(1);
    return row;
}

}  // namespace

PrintOptionsDialog::PrintOptionsDialog(const PrintOptions &initial, double scaleN, QWidget *parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("印刷の設定"));
    paper_ = new QComboBox(this);
    paper_->setObjectName(QStringLiteral("paper"));
    for (const char *name : {"A1", "A2", "A3", "A4"}) paper_->addItem(QString::fromLatin1(name));
    paper_->setCurrentIndex(static_cast<int>(initial.paper));

    landscape_ = new QRadioButton(QStringLiteral("横"), this);
    portrait_ = new QRadioButton(QStringLiteral("縦"), this);
    groupPair(this, landscape_, portrait_);
    (initial.landscape ? landscape_ : portrait_)->setChecked(true);

    const QString scaleText = scaleN > 0.0 ? QStringLiteral("縮尺 1:%1").arg(scaleN, 0, 'g', 10)
                                           : QStringLiteral("縮尺 (図面に枠がありません)");
    atScale_ = new QRadioButton(scaleText, this);
    atScale_->setObjectName(QStringLiteral("atScale"));
    fit_ = new QRadioButton(QStringLiteral("用紙に合わせる"), this);
    fit_->setObjectName(QStringLiteral("fit"));
    groupPair(this, atScale_, fit_);
    atScale_->setEnabled(scaleN > 0.0);
    (initial.fit || scaleN <= 0.0 ? fit_ : atScale_)->setChecked(true);

    black_ = new QCheckBox(QStringLiteral("すべて黒で印刷する"), this);
    black_->setObjectName(QStringLiteral("black"));
    black_->setChecked(initial.black);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("用紙"), paper_);
    form->addRow(QStringLiteral("向き"), pairOf(this, landscape_, portrait_));
    form->addRow(QStringLiteral("尺度"), pairOf(this, atScale_, fit_));
    form->addRow(QStringLiteral("色"), black_);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

PrintOptions PrintOptionsDialog::options() const {
    PrintOptions options;
    options.paper = static_cast<Paper>(std::clamp(paper_->currentIndex(), 0, 3));
    options.landscape = landscape_->isChecked();
    options.fit = fit_->isChecked();
    options.black = black_->isChecked();
    return options;
}

}  // namespace rovena::preview
