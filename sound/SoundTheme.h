#pragma once

#include <string>

namespace rotenu::sound {

// The sound a theme gives an event: a file to play, or none at all when the theme marks the event
// as silent (an "<event>.disabled" file).
struct ThemeSound {
    std::string file;
    bool silenced = false;
    bool found() const { return silenced || !file.empty(); }
};

// The event sound (e.g. "bell") of the sound theme `themeName` as desktops look it up: the theme's
// folder in the user's data directory, then in each of the system's (<data dir>/sounds/<theme>);
// in each, the stereo folders that the theme's index.theme lists (and "stereo" itself), as .oga,
// .ogg or .wav; then the themes it inherits from, in order; finally the "freedesktop" theme. Not
// found when none of them has it.
ThemeSound FindThemeSound(const std::string& themeName, const char* eventId);

} // namespace rotenu::sound
