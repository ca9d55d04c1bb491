// The style of the form's frames: every frame title gets the room its text
// takes. The base style sizes a title by the ink of its letters, which for a
// full-width letter at the end ("交角ＩＡ") is narrower than the text drawn,
// and the title was cut in the middle of that letter.
#pragma once

#include <QProxyStyle>

namespace rovena {

class FrameTitleStyle : public QProxyStyle {
public:
    // Over the application's own style.
    FrameTitleStyle();

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl sub,
                         const QWidget *widget) const override;
};

} // namespace rovena
