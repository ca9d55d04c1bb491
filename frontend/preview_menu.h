// Joins the drawing preview to the main window: the menu "表示" with the item
// that shows the last drawing again, and the automatic opening after each
// drawing the library wrote (unless the engineer turned it off).
#pragma once

namespace rovena {

class MainForm;
namespace preview {
class PreviewWindow;
}

// The window must outlive neither: both are owned by the caller.
void attachPreview(MainForm &form, preview::PreviewWindow &window);

} // namespace rovena
