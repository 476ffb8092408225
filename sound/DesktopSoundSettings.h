#pragma once

#include <string>

namespace rotenu::sound {

// What the desktop's sound settings say about event sounds.
struct DesktopSoundSettings {
    std::string themeName = "freedesktop";
    bool eventSounds = true; // false: the user turned event sounds off
};

// Read afresh at each call from GNOME's settings (org.gnome.desktop.sound); the defaults above
// where that schema is not installed.
DesktopSoundSettings ReadDesktopSoundSettings();

} // namespace rotenu::sound
