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

void TellOutcome(void* context, int outcome) {
    auto& sound = *static_cast<Sound*>(context);
    if (sound.file.isEmpty())
        sound.shared->bellStarting = false;
    if (outcome != ROTENU_SOUND_PLAYING && sound.cannotPlay)
        sound.shared->report(std::exchange(sound.cannotPlay, nullptr));
}

int StillWanted(void* context) {
    const auto& sound = *static_cast<const Sound*>(context);
    return sound.file.isEmpty() || sound.wave == sound.shared->latestWave;
}

RotenuSoundPlayFunction PlayFunction() {
    static std::atomic<RotenuSoundPlayFunction> play{nullptr};
    if (!play)
        play = reinterpret_cast<RotenuSoundPlayFunction>(
            ResolvePartSymbol(ROTENU_SOUND_PART, ROTENU_SOUND_PLAY_SYMBOL));
    return play;
}

// Runs on the sound's own thread until the sound has ended. The wave file is read whole before
// the sound server is reached, so that a file that never opens or never reads to its end holds
// no connection to the server.
void Play(Sound sound) {
    std::optional<std::string> wave;
    if (!sound.file.isEmpty()) {
        wave = ReadFileUnlessStalled(sound.file);
        if (!wave)
            return TellOutcome(&sound, ROTENU_SOUND_CANNOT_PLAY);
    }
    const RotenuSoundPlayFunction play = PlayFunction();
    if (!play)
        return TellOutcome(&sound, ROTENU_SOUND_CANNOT_PLAY);
    play(wave ? wave->data() : nullptr, wave ? wave->size() : 0, TellOutcome, StillWanted, &sound);
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
            if (const auto prepare = reinterpret_cast<RotenuSoundPrepareFunction>(
                    ResolvePartSymbol(ROTENU_SOUND_PART, ROTENU_SOUND_PREPARE_SYMBOL)))
                prepare();
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
        TellOutcome(&unstarted, ROTENU_SOUND_CANNOT_PLAY);
    }
}

} // namespace rotenu
