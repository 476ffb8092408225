#pragma once

class QString;

namespace rotenu {

// Plays a wave file without waiting for it to end.
class WavePlayer {
public:
    virtual ~WavePlayer() = default;
    // Starts playing the file and returns at once; false when it cannot start (missing,
    // unreadable or unsupported file, no sound server). A bare name is looked for in the
    // current directory.
    virtual bool playAsync(const QString& fileName) = 0;
};

} // namespace rotenu
