#pragma once

#include "platform/Beeper.h"

namespace rotenu {

class SoundPlayer;

// The desktop sound theme's "bell"; the toolkit's beep when the sound server cannot play it.
class DefaultBeeper final : public Beeper {
public:
    explicit DefaultBeeper(SoundPlayer& sound) : m_sound(sound) {}
    void beep() override;

private:
    SoundPlayer& m_sound;
};

} // namespace rotenu
