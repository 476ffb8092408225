#include "sound/SoundPlayer.h"

#include "platform/LoadablePart.h"
#include "sound/SoundPartEntry.h"
#include "sound/StallSafeRead.h"

#include <QFile>

#include <climits>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <system_error>
#include <thread>

namespace rotenu {

// What the threads of the sounds share with the player. They may outlive it (a sound still
// waiting for a stopped server when the program quits), so it is kept alive by whoever is last.
struct SoundPlayer::Shared {
    std::mutex mutex;
    QObject* guiThread = nullptr; // null once the player is gone
    std::atomic<bool> bellStarting{false};
    std::atomic<bool> prepared{false};
    // The last wave file asked for: as with PlaySound, a new one ends the one still playing.
    std::atomic<unsigned> latestWave{0};

    void report(std::function<void()> cannotPlay) {
        const std::lock_guard lock(mutex);
        if (guiThread)
            QMetaObject::invokeMethod(guiThread, std::move(cannotPlay), Qt::QueuedConnection);
    }
};

namespace {

struct Sound {
    std::shared_ptr<SoundPlayer::Shared> shared;
    QByteArray file; // the wave file's path; empty: the bell
    std::function<void()> cannotPlay;
    unsigned wave = 0; // which wave file of the player's it is
};

void TellOutcome(Sound& sound, bool playing) {
    if (sound.file.isEmpty())
        sound.shared->bellStarting = false;
    if (!playing && sound.cannotPlay)
        sound.shared->report(std::exchange(sound.cannotPlay, nullptr));
}

class Request final : public SoundRequest {
public:
    explicit Request(Sound& sound) : m_sound(sound) {}
    void tellOutcome(bool playing) override { TellOutcome(m_sound, playing); }
    bool stillWanted() const override {
        return m_sound.file.isEmpty() || m_sound.wave == m_sound.shared->latestWave;
    }

private:
    Sound& m_sound;
};

SoundPart* LoadedSoundPart() {
    static std::atomic<SoundPart*> part{nullptr};
    if (!part)
        if (const auto entry =
                reinterpret_cast<SoundPartEntry>(ResolvePartSymbol(kSoundPart, kSoundPartEntry)))
            part = entry();
    return part;
}

// Runs on the sound's own thread until the sound has ended. The wave file is read whole before
// the sound server is reached, so that a file that never opens or never reads to its end holds
// no connection to the server.
void Play(Sound sound) {
    std::optional<std::string> wave;
    if (!sound.file.isEmpty()) {
        wave = ReadFileUnlessStalled(sound.file);
        if (!wave)
            return TellOutcome(sound, false);
    }
    SoundPart* part = LoadedSoundPart();
    if (!part)
        return TellOutcome(sound, false);
    Request request(sound);
    part->play(wave ? std::optional<std::string_view>(*wave) : std::nullopt, request);
}

// The path of `fileName` in the current directory, in the file system's bytes: QDir's would turn
// a folder name that is not valid in the locale's encoding into another one.
QByteArray InCurrentDirectory(const QString& fileName) {
    const QByteArray name = QFile::encodeName(fileName);
    char directory[PATH_MAX];
    if (name.startsWith('/') || !::getcwd(directory, sizeof directory))
        return name;
    return QByteArray(directory) + '/' + name;
}

} // namespace

SoundPlayer::SoundPlayer() : m_shared(std::make_shared<Shared>()) {
    m_shared->guiThread = &m_guiThread;
}

SoundPlayer::~SoundPlayer() {
    const std::lock_guard lock(m_shared->mutex);
    m_shared->guiThread = nullptr;
}

void SoundPlayer::playAsync(const QString& fileName, std::function<void()> cannotPlay) {
    // The directory is taken now: by the time the thread looks, the current one may have changed.
    start(InCurrentDirectory(fileName), std::move(cannotPlay));
}

void SoundPlayer::prepare() {
    if (m_shared->prepared.exchange(true))
        return;
    try {
        std::thread([] {
            if (SoundPart* part = LoadedSoundPart())
                part->prepare();
        }).detach();
    } catch (const std::system_error&) {
        // The first sound readies the player itself.
    }
}

void SoundPlayer::playBell(std::function<void()> cannotPlay) {
    if (m_shared->bellStarting.exchange(true))
        return;
    start({}, std::move(cannotPlay));
}

void SoundPlayer::start(const QByteArray& file, std::function<void()> cannotPlay) {
    const Sound sound{m_shared, file, std::move(cannotPlay), file.isEmpty() ? 0 : ++m_shared->latestWave};
    try {
        // Detached: the program never waits for a sound, not even when it quits.
        std::thread(Play, sound).detach();
    } catch (const std::system_error&) {
        Sound unstarted = sound;
        TellOutcome(unstarted, false);
    }
}

} // namespace rotenu
