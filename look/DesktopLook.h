#pragma once

class QApplication;

namespace rotenu {

// What the program sets up once, before its windows are created, so that they look and read the
// same on every desktop: the Gothic fonts for every window, menu and message box; Qt's own texts
// in Japanese; the fixed light colours and the Fusion style whatever colour scheme and style the
// desktop has; accessible names for menu items whose caption shows none. Prints one line to
// standard error when no installed font can show Japanese.
void PrepareDesktopLook(QApplication& application);

} // namespace rotenu
