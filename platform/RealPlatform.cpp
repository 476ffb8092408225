#include "platform/RealPlatform.h"

namespace rotenu {

RealPlatform::RealPlatform()
    : m_services{.beeper = &m_beeper,
                 .messageBox = &m_messageBox,
                 .wavePlayer = &m_sound,
                 .classesRegistry = &m_classesRegistry,
                 .commandStarter = &m_commandStarter,
                 .versionResource = &m_versionResource} {}

} // namespace rotenu
