// The sound part module's entry point: everything that links GStreamer is behind it.

#include "sound/SoundPartEntry.h"
#include "sound/RegularFile.h"
#include "sound/DesktopSoundSettings.h"
#include "sound/GstPlayback.h"
#include "sound/SoundTheme.h"

#include <gst/gst.h>

#include <mutex>
#include <type_traits>

extern "C" __attribute__((visibility("default"))) void rotenu_sound_prepare() {
    static std::once_flag initialised;
    std::call_once(initialised, [] { gst_init(nullptr, nullptr); });
}

extern "C" __attribute__((visibility("default"))) void rotenu_sound_play(const char* wave, size_t size,
                                                                         RotenuSoundOutcomeCallback outcome,
                                                                         RotenuSoundWantedCallback wanted,
                                                                         void* context) {
    rotenu_sound_prepare();
    const auto stillWanted = [&] { return wanted(context) != 0; };
    const auto tell = [&](bool playing) {
        outcome(context, playing ? ROTENU_SOUND_PLAYING : ROTENU_SOUND_CANNOT_PLAY);
    };
    if (wave) {
        rotenu::sound::PlayToEnd({wave, size}, rotenu::sound::SoundFileKind::Wave, tell, stillWanted);
        return;
    }
    // The user's choice of silence, or the theme's, is the bell as heard: no other sound stands in.
    const rotenu::sound::DesktopSoundSettings settings = rotenu::sound::ReadDesktopSoundSettings();
    if (!settings.eventSounds)
        return tell(true);
    const rotenu::sound::ThemeSound bell = rotenu::sound::FindThemeSound(settings.themeName, "bell");
    if (bell.silenced)
        return tell(true);
    // Only one bell starts at a time: a theme's file that never opens or reads holds this thread
    // alone, and no server connection.
    const std::optional<std::string> sound =
        bell.file.empty() ? std::nullopt
                          : rotenu::ReadRegularFile(bell.file.c_str(), rotenu::MaxSoundFileBytes);
    if (!sound)
        tell(false);
    else
        rotenu::sound::PlayToEnd(*sound, rotenu::sound::SoundFileKind::AnyAudio, tell, stillWanted);
}

static_assert(std::is_same_v<decltype(&rotenu_sound_play), RotenuSoundPlayFunction>);
static_assert(std::is_same_v<decltype(&rotenu_sound_prepare), RotenuSoundPrepareFunction>);
