#include "support/FakePlatform.h"

namespace rotenu::testing {

FakePlatform::FakePlatform() {
    services.beeper = &beeper;
    services.messageBox = &messageBox;
}

} // namespace rotenu::testing
