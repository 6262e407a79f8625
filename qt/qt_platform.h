#pragma once
// The Qt platform plugin of a program, chosen before its QApplication is made: Qt's
// offscreen platform when the program needs no display (`offscreen` true) or there is
// none, unless one is named (QT_QPA_PLATFORM, -platform or --platform). Qt itself takes
// "-platform NAME"; the double-dash spelling is turned into it.

namespace vg {

// True when a display server is reachable by name (DISPLAY or WAYLAND_DISPLAY set).
bool HasDisplay();

// Returns true when the offscreen platform was chosen. Call it before QApplication.
bool ChooseQtPlatform(int argc, char** argv, bool offscreen);

}  // namespace vg
