// Joins the drawing preview to the main window: the menu "表示" with the item
// that shows the last drawing again, and the automatic opening after each
// drawing the library wrote (unless the engineer turned it off).
#pragma once

namespace rovena {

class CreateDxfCommand;
class MainForm;
namespace preview {
class PreviewWindow;
}

// The preview window follows every drawing the command writes; the caller
// owns all three.
void attachPreview(MainForm &form, CreateDxfCommand &drawing, preview::PreviewWindow &window);

} // namespace rovena
