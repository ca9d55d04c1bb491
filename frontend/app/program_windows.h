// Rovena's windows as the program joins them: the form with its session,
// the preview, the world placement and the route window, each attached to
// the others. main() and the screenshot of the window build them here, so
// both show the same menus.
#pragma once

#include <QString>

#include "preview_window.h"
#include "route_window.h"
#include "session.h"
#include "user_dialogs.h"
#include "world_placement.h"

namespace rovena {

class ProgramWindows {
public:
    ProgramWindows();
    ProgramWindows(const ProgramWindows &) = delete;
    ProgramWindows &operator=(const ProgramWindows &) = delete;

    MainForm &form() { return session_.form(); }

    // Opens the file named on the command line: a route file, an IP table
    // or a LandXML file in the route window, anything else in the form.
    void open(const QString &path);

private:
    Session session_;
    preview::PreviewWindow preview_;
    QtUserDialogs placementDialogs_;
    WorldPlacement placement_;
    RouteWindow route_;
};

} // namespace rovena
