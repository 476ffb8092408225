#include "platform/RealPlatform.h"

namespace rotenu {

RealPlatform::RealPlatform() {
    m_services.beeper = &m_beeper;
    m_services.messageBox = &m_messageBox;
}

} // namespace rotenu
