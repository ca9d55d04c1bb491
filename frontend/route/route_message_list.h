// The list of every refusal and warning of the route in the route window,
// in the order the route gave them, each marked エラー (a refusal) or 警告
// (a warning). Choosing one that concerns a point of the IP table tells which.
#pragma once

#include <QListWidget>
#include <vector>

#include "route/message.h"

namespace rovena {

class RouteMessageList : public QListWidget {
    Q_OBJECT

public:
    explicit RouteMessageList(QWidget *parent = nullptr);

    void setMessages(const std::vector<korvane::route::Message> &messages);

signals:
    // A message about point ip of the IP table (0 = BP) was clicked or chosen.
    void pointChosen(int ip);
};

} // namespace rovena
