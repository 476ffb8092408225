#pragma once

#include "platform/CommandStarter.h"

namespace rotenu {

// Splits the command line (UTF-8, as the desktop's registry gives it) into arguments as a shell
// would quote them (g_shell_parse_argv), but runs no shell: the first argument is the program,
// looked up in PATH, and it is started detached (g_spawn_async), so that no character of the line
// can start anything else. It lives in the browser part module; the program reaches it through
// BrowserPartCommandStarter.
class GioCommandStarter final : public CommandStarter {
public:
    void start(std::string_view commandLine) override;
};

} // namespace rotenu
