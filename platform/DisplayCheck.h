#pragma once

namespace rotenu {

// The Qt platform the program runs on unless the user names another: X11 (XWayland under a Wayland
// session), the one window system that lets a client place its windows.
inline constexpr char kDesktopPlatform[] = "xcb";

// Whether the display that the program's windows go to can be opened: the X display (DISPLAY, or
// Qt's -display option) for the xcb platform, which the program uses unless QT_QPA_PLATFORM or Qt's
// -platform option names another; the Wayland display for a wayland platform named so. When none of
// the named platforms has a display, says so in one line on standard error, naming the display
// tried, and returns false. Asked before the application object is made, since Qt aborts the
// program when it cannot open its display.
bool DisplayOpens(int argc, char** argv);

} // namespace rotenu
