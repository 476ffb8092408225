#pragma once

#include <QPalette>

namespace rotenu {

// The colours that the windows are designed in, whatever the desktop's colour scheme: Qt's own
// light palette (button face #efefef for windows, white for fields and lists, black text), with
// every role of every colour group set, so that nothing of a dark scheme shows through.
QPalette FixedLightPalette();

} // namespace rotenu
