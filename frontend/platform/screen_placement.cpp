#include "screen_placement.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace rovena {

namespace {

// The frame round a shown window: title bar and borders.
QMargins frameOf(const QWidget &shown) {
    const QRect outer = shown.frameGeometry(), inner = shown.geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

} // namespace

void placeWithinScreen(QWidget &window, const QWidget &anchor) {
    const QScreen *screen = anchor.screen();
    if (!screen) return;
    // The area the window's inner part may take.
    const QMargins frame = anchor.isVisible() ? frameOf(anchor) : QMargins();
    const QRect area = screen->availableGeometry().marginsRemoved(frame);
    // A window never sized opens at the size it asks for.
    const QSize wanted = window.testAttribute(Qt::WA_Resized) ? window.size() : window.sizeHint();
    const QSize size = wanted.boundedTo(area.size());
    QPoint place = window.geometry().topLeft();
    if (!window.testAttribute(Qt::WA_Moved)) place = anchor.geometry().center() - QPoint(size.width() / 2, size.height() / 2);
    place.setX(std::clamp(place.x(), area.left(), area.right() + 1 - size.width()));
    place.setY(std::clamp(place.y(), area.top(), area.bottom() + 1 - size.height()));
    window.resize(size);
    // A window's position is that of its frame.
    window.move(place - QPoint(frame.left(), frame.top()));
}

} // namespace rovena
