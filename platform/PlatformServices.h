#pragma once

namespace rotenu {

class Beeper;
class MessageBoxPresenter;
class WavePlayer;
class ClassesRegistry;
class CommandStarter;
class VersionResource;

// The platform calls that the windows make, handed to them at creation. The program passes the
// real implementations (RealPlatform); tests pass doubles that count and record (FakePlatform).
// Every member is set, so that no window checks for null: both fill all of them, and a test that
// wants a call to fail passes a double that fails, not a null pointer.
struct PlatformServices {
    Beeper* beeper = nullptr;
    MessageBoxPresenter* messageBox = nullptr;
    WavePlayer* wavePlayer = nullptr;
    ClassesRegistry* classesRegistry = nullptr;
    CommandStarter* commandStarter = nullptr;
    VersionResource* versionResource = nullptr;
};

} // namespace rotenu
