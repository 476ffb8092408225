#pragma once

#include <string_view>

namespace rotenu {

// Starts a command line (bytes of the Japanese code page) as a separate process that nobody
// waits for. A command that cannot be started is silently ignored.
class CommandStarter {
public:
    virtual ~CommandStarter() = default;
    virtual void start(std::string_view commandLine) = 0;
};

} // namespace rotenu
