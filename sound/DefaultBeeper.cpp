#include "sound/DefaultBeeper.h"

#include "sound/SoundPlayer.h"

#include <QApplication>

namespace rotenu {

void DefaultBeeper::beep() {
    m_sound.playBell([] { QApplication::beep(); });
}

} // namespace rotenu
