#pragma once
// The one entry point of the sound part module. The module holds every line that links the sound
// libraries (GStreamer and what it pulls in), so that the program loads them only when it first
// sounds, and on a thread other than the GUI thread.

#include <optional>
#include <string_view>

namespace rotenu {

// One sound as its player follows it while the part plays it.
class SoundRequest {
public:
    // What became of the sound; told once, as soon as it is known.
    virtual void tellOutcome(bool playing) = 0;
    // Whether a sound that plays is still wanted, or is to stop now.
    virtual bool stillWanted() const = 0;

protected:
    ~SoundRequest() = default;
};

class SoundPart {
public:
    // Plays the wave file whose bytes are `wave`, or the desktop sound theme's bell when there is
    // none, through the desktop's sound server. Blocks the calling thread until the sound has
    // ended, failed or is no longer wanted (asked several times a second while it plays); a server
    // that does not answer can hold it for the sound server's own time-out. The bell's file is read
    // whole before the server is reached. The outcome is told on the calling thread once, as soon
    // as the sound is heard or known to fail. A bell that the desktop's settings silence (event
    // sounds off) or that the theme marks as silent is told as playing: that silence is the bell.
    virtual void play(std::optional<std::string_view> wave, SoundRequest& request) = 0;
    // Readies the sound libraries (GStreamer's plugin list, built anew on a user's first run) so
    // that the first sound starts as soon as later ones. Optional; the first sound does it otherwise.
    virtual void prepare() = 0;

protected:
    ~SoundPart() = default;
};

// The module and its entry point, which returns an object that lives as long as the program.
inline constexpr char kSoundPart[] = "rotenu-sound";
inline constexpr char kSoundPartEntry[] = "rotenu_sound_part";
using SoundPartEntry = SoundPart* (*)();

} // namespace rotenu
