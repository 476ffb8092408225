#include "platform/GioCommandStarter.h"

#include "platform/ShiftJis.h"

#include <glib.h>

namespace rotenu {

void GioCommandStarter::start(std::string_view commandLine) {
    const QByteArray line = FromShiftJis(commandLine).toUtf8();
    gchar** argv = nullptr;
    GError* error = nullptr;
    if (g_shell_parse_argv(line.constData(), nullptr, &argv, &error)) {
        // Without G_SPAWN_DO_NOT_REAP_CHILD the program runs as a grandchild, so no zombie is left
        // and nobody waits for it.
        g_spawn_async(nullptr, argv, nullptr, G_SPAWN_SEARCH_PATH, nullptr, nullptr, nullptr, &error);
    }
    g_strfreev(argv);
    g_clear_error(&error);
}

} // namespace rotenu
