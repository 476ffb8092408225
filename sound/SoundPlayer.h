#pragma once

#include "platform/WavePlayer.h"

#include <QObject>

#include <memory>

namespace rotenu {

// The desktop's sound server, reached through the sound part module. Each sound starts on a
// thread of its own with a fresh connection to the server, so that neither loading the module nor
// a server that is stopped, slow or gone ever holds the GUI thread, and a server that starts late
// or restarts is used by the next sound.
class SoundPlayer final : public WavePlayer {
public:
    SoundPlayer();
    ~SoundPlayer() override;
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // Only a regular wave file plays, in whatever encoding GStreamer's decoders know; the file
    // name's letter case does not matter. A wave file still playing stops when the next one is asked for.
    void playAsync(const QString& fileName, std::function<void()> cannotPlay) override;
    // Loads the sound part and its libraries on a thread of its own.
    void prepare() override;
    // The desktop sound theme's bell; `cannotPlay` is not called when the desktop has event sounds
    // off. A bell asked for while the last one is still starting is that bell.
    void playBell(std::function<void()> cannotPlay);

    struct Shared;

private:
    void start(const QByteArray& file, std::function<void()> cannotPlay);

    QObject m_guiThread; // receives the reports of sounds that cannot play
    std::shared_ptr<Shared> m_shared;
};

} // namespace rotenu
