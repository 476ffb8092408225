#pragma once

#include <functional>

class QString;

namespace rotenu {

// Plays a wave file without waiting for it to end.
class WavePlayer {
public:
    virtual ~WavePlayer() = default;
    // Starts playing the file and returns at once. When it cannot be played (missing, unreadable
    // or unsupported file, no sound server), `cannotPlay` runs instead, on the GUI thread, as soon
    // as that is known. A bare name is looked for in the current directory.
    virtual void playAsync(const QString& fileName, std::function<void()> cannotPlay) = 0;
    // Readies the player in the background for an alarm to come, so that the first one is heard
    // as soon as later ones; returns at once.
    virtual void prepare() {}
};

} // namespace rotenu
