#include "browser/GioCommandStarter.h"

#include <glib.h>

#include <string>

namespace rotenu {

void GioCommandStarter::start(std::string_view commandLine) {
    const std::string line(commandLine);
    gchar** argv = nullptr;
    GError* error = nullptr;
    if (g_shell_parse_argv(line.c_str(), nullptr, &argv, &error)) {
        // Without G_SPAWN_DO_NOT_REAP_CHILD the program runs as a grandchild, so no zombie is left
        // and nobody waits for it.
        g_spawn_async(nullptr, argv, nullptr, G_SPAWN_SEARCH_PATH, nullptr, nullptr, nullptr, &error);
    }
    g_strfreev(argv);
    g_clear_error(&error);
}

} // namespace rotenu
