#include "program_windows.h"

#include "preview_menu.h"
#include "route_menu.h"

namespace rovena {

ProgramWindows::ProgramWindows()
    : preview_(&session_.form()), placementDialogs_(&session_.form()),
      placement_(session_.form(), session_.drawing(), session_.designFiles(), placementDialogs_) {
    attachPreview(session_.form(), session_.drawing(), preview_);
    attachWorldPlacement(session_.form(), placement_, placementDialogs_);
    attachRouteWindow(session_.form(), session_.designFiles(), route_);
    attachRoutePlanPreview(route_, preview_);
}

void ProgramWindows::open(const QString &path) {
    if (isRouteInput(path)) {
        route_.show();
        route_.files().openRouteFile(path);
    } else {
        session_.designFiles().openDesignFile(path);
    }
}

} // namespace rovena
