// Where a window of the program opens: within the part of the screen that
// windows may use (without panels and docks), so that no part of it, title
// bar included, lies off the screen, even on a small screen.
#pragma once

class QWidget;

namespace rovena {

// Before window is shown: its size kept within the available area of the
// screen of anchor, and its place, centred over anchor the first time and
// where it was afterwards, moved into that area. The frame anchor has on
// screen is counted for window's frame too.
void placeWithinScreen(QWidget &window, const QWidget &anchor);

} // namespace rovena
