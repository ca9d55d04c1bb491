#include "frame_title_style.h"

#include <QApplication>
#include <QStyleFactory>
#include <QStyleOptionGroupBox>

namespace rovena {

namespace {

// A pixel either side, as the base style leaves round the ink.
constexpr int kTitleMargin = 2;

} // namespace

FrameTitleStyle::FrameTitleStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

QRect FrameTitleStyle::subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl sub,
                                      const QWidget *widget) const {
    QRect rect = QProxyStyle::subControlRect(control, option, sub, widget);
    const auto *frame = qstyleoption_cast<const QStyleOptionGroupBox *>(option);
    if (control != CC_GroupBox || sub != SC_GroupBoxLabel || !frame || frame->text.isEmpty()) return rect;
    const int needed = frame->fontMetrics.horizontalAdvance(frame->text) + kTitleMargin;
    if (rect.width() < needed) rect.setWidth(needed);
    return rect;
}

} // namespace rovena
