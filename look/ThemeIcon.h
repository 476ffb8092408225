#pragma once

class QWidget;

namespace rotenu {

// Once `window` has painted for the first time, the program's windows take the desktop theme's
// "rotenu" icon, keeping the embedded one where the theme has none. Looking through the icon
// theme (its index and its pictures in every size) then costs nothing before the first paint.
void TakeThemeIconAfterFirstPaint(QWidget& window);

} // namespace rotenu
