#pragma once

#include <QPalette>

class QStyle;

namespace rotenu {

// The colours that the windows are designed in, whatever the desktop's colour scheme: Qt's own
// light palette (button face #efefef for windows, white for fields and lists, black text), with
// every role of every colour group set, so that nothing of a dark scheme shows through. `fusion`
// is the program's Fusion style, whose standard palette that is; null where Qt has none.
QPalette FixedLightPalette(const QStyle* fusion);

} // namespace rotenu
