#pragma once

#include "platform/CommandStarter.h"

namespace rotenu {

// Splits the command line into arguments as a shell would quote them (g_shell_parse_argv), but
// runs no shell: the first argument is the program, looked up in PATH, and it is started detached
// (g_spawn_async), so that no character of the line can start anything else.
class GioCommandStarter final : public CommandStarter {
public:
    void start(std::string_view commandLine) override;
};

} // namespace rotenu
