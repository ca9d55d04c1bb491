#include "route_message_list.h"

#include <QBrush>

namespace rovena {

namespace {

constexpr int kIpRole = Qt::UserRole;

} // namespace

RouteMessageList::RouteMessageList(QWidget *parent) : QListWidget(parent) {
    setWordWrap(true);
    setObjectName(QStringLiteral("routeMessages"));
    const auto choose = [this](QListWidgetItem *item) {
        const int ip = item ? item->data(kIpRole).toInt() : -1;
        if (ip >= 0) emit pointChosen(ip);
    };
    connect(this, &QListWidget::itemClicked, this, choose);
    connect(this, &QListWidget::itemActivated, this, choose);
}

void RouteMessageList::setMessages(const std::vector<korvane::route::Message> &messages) {
    clear();
    if (messages.empty()) {
        auto *item = new QListWidgetItem(QStringLiteral("エラーも警告もありません。"));
        item->setData(kIpRole, -1);
        item->setForeground(QBrush(Qt::darkGray));
        addItem(item);
    }
    for (const korvane::route::Message &m : messages) {
        const bool refusal = m.severity == korvane::route::Severity::Refusal;
        auto *item = new QListWidgetItem((refusal ? QStringLiteral("エラー: ") : QStringLiteral("警告: ")) +
                                         QString::fromStdString(m.text));
        item->setData(kIpRole, m.ip);
        if (refusal) item->setForeground(QBrush(Qt::darkRed));
        addItem(item);
    }
}

} // namespace rovena
