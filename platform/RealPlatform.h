#pragma once

#include "browser/BrowserPart.h"
#include "platform/PlatformServices.h"
#include "sound/DefaultBeeper.h"
#include "sound/SoundPlayer.h"
#include "version/EmbeddedVersionResource.h"
#include "widgets/PlainMessageBox.h"

namespace rotenu {

// The real implementations of the platform calls, owned for the life of the program.
class RealPlatform {
public:
    RealPlatform();
    RealPlatform(const RealPlatform&) = delete;
    RealPlatform& operator=(const RealPlatform&) = delete;

    const PlatformServices& services() const { return m_services; }

private:
    SoundPlayer m_sound;
    DefaultBeeper m_beeper{m_sound};
    PlainMessageBox m_messageBox;
    EmbeddedVersionResource m_versionResource;
    BrowserPartClassesRegistry m_classesRegistry;
    BrowserPartCommandStarter m_commandStarter;
    PlatformServices m_services;
};

} // namespace rotenu
