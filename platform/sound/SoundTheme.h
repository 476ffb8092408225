#pragma once

#include <string>

namespace rotenu::sound {

// The file of an event sound (e.g. "bell") of the freedesktop sound theme, looked for as the
// desktop's sound themes are laid out: <data dir>/sounds/freedesktop/stereo/<event>.oga (or .ogg,
// .wav), the user's data directory first, then the system's; empty when there is none.
std::string FindThemeSound(const char* eventId);

} // namespace rotenu::sound
