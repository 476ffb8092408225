#include "platform/RealPlatform.h"

namespace rotenu {

RealPlatform::RealPlatform() {
    m_services.beeper = &m_beeper;
    m_services.messageBox = &m_messageBox;
    m_services.wavePlayer = &m_sound;
    m_services.versionResource = &m_versionResource;
    m_services.classesRegistry = &m_classesRegistry;
    m_services.commandStarter = &m_commandStarter;
}

} // namespace rotenu
