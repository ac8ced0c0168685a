// How the windows present themselves to assistive technology (AT-SPI on Linux, UI Automation
// on Windows): the main window as a frame and the About window as a dialog, modal while it is
// open; only controls in view and labels that say something in their trees; the uptime display
// as read-only text.
#pragma once

class QWidget;

namespace rzv {

// Once per program, before the first window shows.
void installAccessibleInterfaces();

// A control of a window entered or left the window's visible area: readers that keep a copy of
// the tree learn that it joined or left it.
void announceInTree(QWidget* control, bool inTree);

}  // namespace rzv
