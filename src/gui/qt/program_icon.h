// How the desktop knows the program: its icon, and the desktop entry its windows belong to.
#pragma once

#include <QIcon>

namespace rzv {

// The icon theme's, as the desktop entry shows it; the built-in one where the theme has none
// (a program run from its build folder).
QIcon programIcon();

// Ties the windows to the desktop entry, so that a dock groups them with its launcher and shows
// the entry's icon: the Wayland app id is the entry's id, the class of WM_CLASS on X11 its
// StartupWMClass, whatever the executable is called. Before the first window is made.
void nameTheDesktopEntry();

}  // namespace rzv
