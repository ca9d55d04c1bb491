// A push button whose caption wraps onto further lines when it is wider than
// the button, as the narrow command buttons of the main window need.
#pragma once

#include <QPushButton>

namespace rovena {

class WrappingButton : public QPushButton {
    Q_OBJECT

public:
    WrappingButton(const QString &text, QWidget *parent) : QPushButton(text, parent) {}

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace rovena
