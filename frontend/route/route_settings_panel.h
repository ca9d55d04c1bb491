// The settings of the route in the route window: 路線名, 座標系, BP の測点
// (as 追加距離, or NO and ＋), 測点ピッチ, 設計速度, 幅杭の幅, the station
// equations (ブレーキ) and the extra stations (追加杭). What is typed is read
// by the route file's own reader of settings, so the window takes exactly
// what a route file can hold; a value it refuses is named in a message and
// the boxes show the settings as they were.
#pragma once

#include <QWidget>
#include <functional>

#include "route/loaded_route.h"

class QComboBox;
class QLineEdit;
class QTableWidget;

namespace rovena {

class RouteSettingsPanel : public QWidget {
    Q_OBJECT

public:
    explicit RouteSettingsPanel(QWidget *parent = nullptr);

    // Shows the settings (of a route opened, or after an edit was undone).
    void showSettings(const korvane::route::RouteSettings &settings);
    // edited takes the settings after an accepted change; refuse the reason
    // a change was refused.
    void setHandlers(std::function<void(const korvane::route::RouteSettings &)> edited,
                     std::function<void(const QString &)> refuse);

private:
    // Which boxes give BP's station: 追加距離, or NO and ＋.
    enum class BpEntry { Station, Number };

    void build();
    QWidget *buildBpRow();
    QWidget *buildWidthRow();
    QWidget *buildListBox(QTableWidget *&table, const QString &first, const QString &second, const QString &name);
    void connectEdits();
    std::string settingsText(BpEntry bp) const;
    void apply(BpEntry bp);
    void showBpStation(const korvane::route::RouteSettings &settings);

    QLineEdit *name_ = nullptr;
    QComboBox *zone_ = nullptr;
    QLineEdit *bpStation_ = nullptr;
    QLineEdit *bpNo_ = nullptr;
    QLineEdit *bpPlus_ = nullptr;
    QLineEdit *pitch_ = nullptr;
    QComboBox *speed_ = nullptr;
    QLineEdit *widthLeft_ = nullptr;
    QLineEdit *widthRight_ = nullptr;
    QTableWidget *equations_ = nullptr;
    QTableWidget *extras_ = nullptr;

    korvane::route::RouteSettings shown_;
    bool filling_ = false;
    std::function<void(const korvane::route::RouteSettings &)> edited_;
    std::function<void(const QString &)> refuse_;
};

} // namespace rovena
