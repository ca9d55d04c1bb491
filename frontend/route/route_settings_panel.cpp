#include "route_settings_panel.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <cmath>

#include "design/key_value_text.h"
#include "route/number_text.h"
#include "route/route_file.h"

namespace rovena {

namespace {

namespace kr = korvane::route;

constexpr std::array<int, 8> kSpeeds{120, 100, 80, 60, 50, 40, 30, 20};

QString exact(double value) { return QString::fromStdString(kr::exactText(value)); }

// The settings' keys as the window labels them, for its messages.
QString labelled(const std::string &problem) {
    static const std::array<std::pair<const char *, const char *>, 11> labels{{
        {"bp.station", "BP の追加距離"}, {"bp.no", "BP の NO"}, {"bp.plus", "BP の＋"}, {"name", "路線名"},
        {"zone", "座標系"}, {"pitch", "測点ピッチ"}, {"speed", "設計速度"}, {"equation", "ブレーキ"},
        {"extra", "追加杭"}, {"width.left", "幅杭の幅 左"}, {"width.right", "幅杭の幅 右"},
    }};
    for (const auto &[key, label] : labels)
        if (problem.rfind(std::string(key) + " ", 0) == 0)
            return QStringLiteral("路線の設定 %1（%2）%3")
                .arg(QString::fromUtf8(label), QString::fromLatin1(key),
                     QString::fromStdString(problem.substr(std::string(key).size() + 1)));
    return QStringLiteral("路線の設定: ") + QString::fromStdString(problem);
}

void addLine(std::string &text, const char *key, const QString &value) {
    text += std::string(key) + " = " + design_model::quotedValue(value.trimmed().toStdString()) + "\n";
}

QString cellText(const QTableWidget &table, int row, int column) {
    const QTableWidgetItem *item = table.item(row, column);
    return item ? item->text().trimmed() : QString();
}

void fillRow(QTableWidget &table, int row, const QString &first, const QString &second) {
    table.setItem(row, 0, new QTableWidgetItem(first));
    table.setItem(row, 1, new QTableWidgetItem(second));
}

QLineEdit *lineEdit(const QString &name, int width = 0) {
    auto *box = new QLineEdit;
    box->setObjectName(name);
    if (width > 0) box->setMaximumWidth(width);
    return box;
}

} // namespace

RouteSettingsPanel::RouteSettingsPanel(QWidget *parent) : QWidget(parent) {
    build();
    connectEdits();
    showSettings(shown_);
}

void RouteSettingsPanel::setHandlers(std::function<void(const kr::RouteSettings &)> edited,
                                     std::function<void(const QString &)> refuse) {
    edited_ = std::move(edited);
    refuse_ = std::move(refuse);
}

// The single values on the left, the two lists on the right.
void RouteSettingsPanel::build() {
    auto *columns = new QHBoxLayout(this);
    columns->setContentsMargins(0, 0, 0, 0);
    auto *form = new QFormLayout;
    columns->addLayout(form, 3);
    name_ = lineEdit(QStringLiteral("routeName"));
    form->addRow(QStringLiteral("路線名"), name_);
    zone_ = new QComboBox;
    zone_->setObjectName(QStringLiteral("routeZone"));
    zone_->addItem(QStringLiteral("なし"));
    for (int zone = 1; zone <= 19; ++zone) zone_->addItem(QStringLiteral("第 %1 系").arg(zone));
    form->addRow(QStringLiteral("座標系"), zone_);
    form->addRow(QStringLiteral("BP の測点"), buildBpRow());
    pitch_ = lineEdit(QStringLiteral("routePitch"), 90);
    form->addRow(QStringLiteral("測点ピッチ (m)"), pitch_);
    speed_ = new QComboBox;
    speed_->setObjectName(QStringLiteral("routeSpeed"));
    speed_->addItem(QStringLiteral("なし（照査しない）"));
    for (int speed : kSpeeds) speed_->addItem(QStringLiteral("%1 km/h").arg(speed));
    form->addRow(QStringLiteral("設計速度"), speed_);
    form->addRow(QStringLiteral("幅杭の幅 (m)"), buildWidthRow());
    auto *lists = new QVBoxLayout;
    columns->addLayout(lists, 2);
    lists->addWidget(new QLabel(QStringLiteral("ブレーキ（戻り側 = 進む側）")));
    lists->addWidget(buildListBox(equations_, QStringLiteral("戻り側の測点"), QStringLiteral("進む側の測点"),
                                  QStringLiteral("routeEquations")));
    lists->addWidget(new QLabel(QStringLiteral("追加杭")));
    lists->addWidget(buildListBox(extras_, QStringLiteral("追加距離"), QStringLiteral("名前"),
                                  QStringLiteral("routeExtras")));
}

QWidget *RouteSettingsPanel::buildBpRow() {
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    bpStation_ = lineEdit(QStringLiteral("routeBpStation"), 110);
    bpStation_->setToolTip(QStringLiteral("BP の追加距離です。"));
    bpNo_ = lineEdit(QStringLiteral("routeBpNo"), 60);
    bpPlus_ = lineEdit(QStringLiteral("routeBpPlus"), 90);
    layout->addWidget(new QLabel(QStringLiteral("追加距離")));
    layout->addWidget(bpStation_);
    layout->addWidget(new QLabel(QStringLiteral("＝ NO")));
    layout->addWidget(bpNo_);
    layout->addWidget(new QLabel(QStringLiteral("＋")));
    layout->addWidget(bpPlus_);
    layout->addStretch();
    return row;
}

QWidget *RouteSettingsPanel::buildWidthRow() {
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    widthLeft_ = lineEdit(QStringLiteral("routeWidthLeft"), 80);
    widthRight_ = lineEdit(QStringLiteral("routeWidthRight"), 80);
    layout->addWidget(new QLabel(QStringLiteral("左")));
    layout->addWidget(widthLeft_);
    layout->addWidget(new QLabel(QStringLiteral("右")));
    layout->addWidget(widthRight_);
    layout->addStretch();
    return row;
}

QWidget *RouteSettingsPanel::buildListBox(QTableWidget *&table, const QString &first, const QString &second,
                                          const QString &name) {
    auto *box = new QWidget;
    auto *layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    table = new QTableWidget(0, 2);
    table->setObjectName(name);
    table->setHorizontalHeaderLabels({first, second});
    table->verticalHeader()->setVisible(false);
    table->setMaximumHeight(84);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    layout->addWidget(table);
    auto *buttons = new QVBoxLayout;
    auto *add = new QPushButton(QStringLiteral("追加"));
    add->setObjectName(name + QStringLiteral("Add"));
    auto *remove = new QPushButton(QStringLiteral("削除"));
    remove->setObjectName(name + QStringLiteral("Remove"));
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch();
    layout->addLayout(buttons);
    QTableWidget *list = table;
    connect(add, &QPushButton::clicked, this, [this, list] {
        filling_ = true;
        const int row = list->rowCount();
        list->insertRow(row);
        fillRow(*list, row, QString(), QString());
        filling_ = false;
        list->setCurrentCell(row, 0);
        list->editItem(list->item(row, 0));
    });
    connect(remove, &QPushButton::clicked, this, [this, list] {
        const int row = list->currentRow();
        if (row < 0) return;
        list->removeRow(row);
        apply(BpEntry::Station);
    });
    return box;
}

void RouteSettingsPanel::connectEdits() {
    for (QLineEdit *box : {name_, pitch_, widthLeft_, widthRight_, bpStation_})
        connect(box, &QLineEdit::editingFinished, this, [this] { apply(BpEntry::Station); });
    for (QLineEdit *box : {bpNo_, bpPlus_})
        connect(box, &QLineEdit::editingFinished, this, [this] { apply(BpEntry::Number); });
    for (QComboBox *box : {zone_, speed_})
        connect(box, &QComboBox::activated, this, [this] { apply(BpEntry::Station); });
    for (QTableWidget *table : {equations_, extras_})
        connect(table, &QTableWidget::itemChanged, this, [this] {
            if (!filling_) apply(BpEntry::Station);
        });
}

void RouteSettingsPanel::showBpStation(const kr::RouteSettings &settings) {
    const double station = settings.stationing.bpStation, pitch = settings.stationing.pitch;
    double number = std::floor(station / pitch);
    double plus = station - number * pitch;
    // A remainder that rounds to the pitch is the next full station.
    if (kr::fixedText(plus, 9) == kr::fixedText(pitch, 9)) {
        number += 1;
        plus = 0;
    }
    bpStation_->setText(exact(station));
    bpNo_->setText(exact(number));
    bpPlus_->setText(QString::fromStdString(kr::valueText(plus, 9)));
}

void RouteSettingsPanel::showSettings(const kr::RouteSettings &settings) {
    filling_ = true;
    shown_ = settings;
    name_->setText(QString::fromStdString(settings.name));
    zone_->setCurrentIndex(settings.zone);
    showBpStation(settings);
    pitch_->setText(exact(settings.stationing.pitch));
    const auto speed = std::find(kSpeeds.begin(), kSpeeds.end(), settings.speed);
    speed_->setCurrentIndex(speed == kSpeeds.end() ? 0 : static_cast<int>(speed - kSpeeds.begin()) + 1);
    widthLeft_->setText(settings.widths ? exact(settings.widths->left) : QString());
    widthRight_->setText(settings.widths ? exact(settings.widths->right) : QString());
    equations_->setRowCount(static_cast<int>(settings.stationing.equations.size()));
    for (int i = 0; i < equations_->rowCount(); ++i) {
        const kr::StationEquation &e = settings.stationing.equations[static_cast<std::size_t>(i)];
        fillRow(*equations_, i, exact(e.back), exact(e.ahead));
    }
    extras_->setRowCount(static_cast<int>(settings.stationing.extras.size()));
    for (int i = 0; i < extras_->rowCount(); ++i) {
        const kr::ExtraStation &e = settings.stationing.extras[static_cast<std::size_t>(i)];
        fillRow(*extras_, i, exact(e.station), QString::fromStdString(e.name));
    }
    filling_ = false;
}

std::string RouteSettingsPanel::settingsText(BpEntry bp) const {
    std::string text = "[route]\nformat = " + std::to_string(kr::kRouteFileFormat) + "\n";
    if (!name_->text().trimmed().isEmpty()) addLine(text, "name", name_->text());
    if (zone_->currentIndex() > 0) addLine(text, "zone", QString::number(zone_->currentIndex()));
    if (bp == BpEntry::Station) {
        addLine(text, "bp.station", bpStation_->text().trimmed().isEmpty() ? QStringLiteral("0") : bpStation_->text());
    } else {
        addLine(text, "bp.no", bpNo_->text());
        addLine(text, "bp.plus", bpPlus_->text());
    }
    addLine(text, "pitch", pitch_->text());
    if (speed_->currentIndex() > 0) addLine(text, "speed", QString::number(kSpeeds[static_cast<std::size_t>(speed_->currentIndex() - 1)]));
    // A row not filled in yet is left out until it is.
    for (int i = 0; i < equations_->rowCount(); ++i)
        if (!cellText(*equations_, i, 0).isEmpty() && !cellText(*equations_, i, 1).isEmpty())
            addLine(text, "equation", cellText(*equations_, i, 0) + QStringLiteral(" = ") + cellText(*equations_, i, 1));
    for (int i = 0; i < extras_->rowCount(); ++i)
        if (!cellText(*extras_, i, 0).isEmpty())
            addLine(text, "extra", (cellText(*extras_, i, 0) + QLatin1Char(' ') + cellText(*extras_, i, 1)).trimmed());
    const QString left = widthLeft_->text().trimmed(), right = widthRight_->text().trimmed();
    if (!left.isEmpty() || !right.isEmpty()) {
        addLine(text, "width.left", left.isEmpty() ? QStringLiteral("0") : left);
        addLine(text, "width.right", right.isEmpty() ? QStringLiteral("0") : right);
    }
    return text;
}

void RouteSettingsPanel::apply(BpEntry bp) {
    if (filling_) return;
    kr::RouteSettings settings;
    std::string problem;
    if (!kr::applyRouteSettings(settingsText(bp), settings, problem)) {
        // The boxes go back first: the message takes the focus, which would
        // end the editing of a box again.
        showSettings(shown_);
        if (refuse_) refuse_(labelled(problem));
        return;
    }
    if (settings == shown_) return;
    shown_ = settings;
    filling_ = true;
    showBpStation(settings);
    filling_ = false;
    if (edited_) edited_(settings);
}

} // namespace rovena
