#pragma once
// Test doubles of the platform calls: they count and record instead of beeping and showing.

#include "platform/Beeper.h"
#include "platform/MessageBoxPresenter.h"
#include "platform/PlatformServices.h"
#include "platform/WavePlayer.h"
#include "tests/support/FakeRegistry.h"
#include "version/VersionResource.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace rotenu::testing {

// Counts the beeps, and gives them with `passOn` too when set.
class CountingBeeper final : public Beeper {
public:
    void beep() override {
        ++count;
        if (passOn)
            passOn->beep();
    }
    int count = 0;
    Beeper* passOn = nullptr;
};

// Records each message and answers "OK" at once, so that no modal box blocks a test.
class RecordingMessageBox final : public MessageBoxPresenter {
public:
    void showPlain(const QString& text) override { shown << text; }
    QStringList shown;
};

// Records each file it is asked to play; when `starts` is false, reports at once that it cannot.
class RecordingWavePlayer final : public WavePlayer {
public:
    void playAsync(const QString& fileName, std::function<void()> cannotPlay) override {
        played << fileName;
        if (onPlay)
            onPlay(fileName);
        if (!starts)
            cannotPlay();
    }
    QStringList played;
    bool starts = true;
    std::function<void(const QString&)> onPlay;
};

// A version block held in memory; counts how often it is read. No block: the executable
// carries none.
class FakeVersionResource final : public VersionResource {
public:
    std::optional<VersionBlock> readVersionBlock() override {
        ++reads;
        return block;
    }
    std::optional<VersionBlock> block;
    int reads = 0;
};

struct FakePlatform {
    CountingBeeper beeper;
    RecordingMessageBox messageBox;
    RecordingWavePlayer wavePlayer;
    FakeRegistry classesRegistry;
    RecordingCommandStarter commandStarter;
    FakeVersionResource versionResource;
    PlatformServices services{&beeper,          &messageBox,     &wavePlayer,
                              &classesRegistry, &commandStarter, &versionResource};
};

} // namespace rotenu::testing
