#pragma once

namespace rotenu {

// Runs the program on X11 (XWayland under a Wayland session) unless the user named a Qt platform
// in QT_QPA_PLATFORM. Call before the application object is made. True when it chose.
bool ChooseDisplayPlatform();

} // namespace rotenu
