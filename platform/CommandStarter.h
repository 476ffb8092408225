#pragma once

#include <string_view>

namespace rotenu {

// Starts a command line, in the encoding of the classes registry that it was read from, as a
// separate process that nobody waits for. A command that cannot be started is silently ignored.
class CommandStarter {
public:
    virtual ~CommandStarter() = default;
    virtual void start(std::string_view commandLine) = 0;
};

} // namespace rotenu
