// Joins the route window to the main window: the menu 路線 (the window, a
// route file opened in it, the sample route), この曲線を作図 putting a curve
// of the route into the form with its world placement, and the question
// about the route's unsaved changes when the main window closes.
#pragma once

#include <QString>

namespace rovena {

class DesignFileCommands;
class MainForm;
class RouteWindow;

// この曲線を作図 puts the design into the form through designFiles, whose
// placement link (the world placement's) takes its placement.
void attachRouteWindow(MainForm &form, DesignFileCommands &designFiles, RouteWindow &window);

// Whether the file at path opens in the route window: a route file (its
// first section [route]), or by its suffix an IP table (.csv) or a LandXML
// file (.xml); anything else is a design file of the form.
bool isRouteInput(const QString &path);

} // namespace rovena
