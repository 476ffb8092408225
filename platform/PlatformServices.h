#pragma once

namespace rotenu {

class Beeper;
class MessageBoxPresenter;
class WavePlayer;
class ClassesRegistry;
class CommandStarter;
class VersionResource;

// The platform calls that the windows make, handed to them at creation. The program passes the
// real implementations (RealPlatform); tests pass doubles that count and record.
struct PlatformServices {
    Beeper* beeper = nullptr;
    MessageBoxPresenter* messageBox = nullptr;
    WavePlayer* wavePlayer = nullptr;
    ClassesRegistry* classesRegistry = nullptr;
    CommandStarter* commandStarter = nullptr;
    VersionResource* versionResource = nullptr;
};

} // namespace rotenu
