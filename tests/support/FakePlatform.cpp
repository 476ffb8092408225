#include "tests/support/FakePlatform.h"

namespace rotenu::testing {

FakePlatform::FakePlatform() {
    services.beeper = &beeper;
    services.messageBox = &messageBox;
    services.wavePlayer = &wavePlayer;
    services.classesRegistry = &classesRegistry;
    services.commandStarter = &commandStarter;
    services.versionResource = &versionResource;
}

} // namespace rotenu::testing
