#pragma once
// The program's own sound player and beeper in place of the test doubles, every other platform
// call a double: what the sound benchmarks hand the feeding timer.

#include "platform/PlatformServices.h"
#include "sound/DefaultBeeper.h"
#include "sound/SoundPlayer.h"
#include "tests/support/FakePlatform.h"

namespace rotenu::bench {

struct RealSound {
    SoundPlayer player;
    DefaultBeeper beeper{player};
    testing::FakePlatform doubles;
    PlatformServices services = [this] {
        PlatformServices services = doubles.services;
        services.beeper = &beeper;
        services.wavePlayer = &player;
        return services;
    }();
};

} // namespace rotenu::bench
