#pragma once

#include "platform/WavePlayer.h"

#include <QString>

namespace rotenu {

class CanberraContext;

// The file that a name denotes when letter case does not matter, as it does not on Windows: the
// name itself if such a file exists, else the first file of its directory (in name order) whose
// name differs from it only in case; empty if there is none.
QString FindFileIgnoringCase(const QString& fileName);

// Plays wave files through the desktop's sound server.
class CanberraWavePlayer final : public WavePlayer {
public:
    explicit CanberraWavePlayer(CanberraContext& sound) : m_sound(sound) {}
    bool playAsync(const QString& fileName) override;

private:
    CanberraContext& m_sound;
};

} // namespace rotenu
