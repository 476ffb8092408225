// The entry point of the part module "rotenu-sound", named as SoundPartEntry.h names it:
// everything that links GStreamer is behind it.

#include "sound/SoundPartEntry.h"
#include "sound/DesktopSoundSettings.h"
#include "sound/GstPlayback.h"
#include "sound/RegularFile.h"
#include "sound/SoundTheme.h"

#include <gst/gst.h>

#include <mutex>
#include <type_traits>

namespace rotenu::sound {
namespace {

class GstSoundPart final : public SoundPart {
public:
    void prepare() override {
        static std::once_flag initialised;
        std::call_once(initialised, [] { gst_init(nullptr, nullptr); });
    }

    void play(std::optional<std::string_view> wave, SoundRequest& request) override {
        prepare();
        const auto stillWanted = [&] { return request.stillWanted(); };
        const auto tell = [&](bool playing) { request.tellOutcome(playing); };
        if (wave) {
            PlayToEnd(*wave, SoundFileKind::Wave, tell, stillWanted);
            return;
        }
        // The user's choice of silence, or the theme's, is the bell as heard: no other sound stands in.
        const DesktopSoundSettings settings = ReadDesktopSoundSettings();
        if (!settings.eventSounds)
            return tell(true);
        const ThemeSound bell = FindThemeSound(settings.themeName, "bell");
        if (bell.silenced)
            return tell(true);
        // Only one bell starts at a time: a theme's file that never opens or reads holds this thread
        // alone, and no server connection.
        const std::optional<std::string> sound =
            bell.file.empty() ? std::nullopt : ReadRegularFile(bell.file.c_str(), kMaxSoundFileBytes);
        if (!sound)
            tell(false);
        else
            PlayToEnd(*sound, SoundFileKind::AnyAudio, tell, stillWanted);
    }
};

} // namespace
} // namespace rotenu::sound

extern "C" [[gnu::visibility("default")]] rotenu::SoundPart* rotenu_sound_part() {
    static rotenu::sound::GstSoundPart part;
    return &part;
}

static_assert(std::is_same_v<decltype(&rotenu_sound_part), rotenu::SoundPartEntry>);
