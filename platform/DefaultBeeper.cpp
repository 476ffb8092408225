#include "platform/DefaultBeeper.h"

#include "platform/CanberraContext.h"

#include <QApplication>

namespace rotenu {

void DefaultBeeper::beep() {
    if (!m_sound.playEvent("bell"))
        QApplication::beep();
}

} // namespace rotenu
