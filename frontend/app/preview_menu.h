// Joins the drawing preview to the main window: the menu "表示" with the item
// that shows the last drawing again, and the automatic opening after each
// drawing the library wrote (unless the engineer turned it off). The route
// window's plan drawings open in it too.
#pragma once

namespace rovena {

class CreateDxfCommand;
class MainForm;
class RouteWindow;
namespace preview {
class PreviewWindow;
}

// The preview window follows every drawing the command writes; the caller
// owns all three.
void attachPreview(MainForm &form, CreateDxfCommand &drawing, preview::PreviewWindow &window);

// Every plan drawing the route window writes opens whole in the preview,
// which is placed over the route window when it was not shown yet.
void attachRoutePlanPreview(RouteWindow &route, preview::PreviewWindow &window);

} // namespace rovena
