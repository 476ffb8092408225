#pragma once

#include "platform/Beeper.h"

namespace rotenu {

class CanberraContext;

// The desktop's "bell" sound; the toolkit's beep when the sound server cannot play it.
class DefaultBeeper final : public Beeper {
public:
    explicit DefaultBeeper(CanberraContext& sound) : m_sound(sound) {}
    void beep() override;

private:
    CanberraContext& m_sound;
};

} // namespace rotenu
