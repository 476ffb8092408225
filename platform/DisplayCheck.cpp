#include "platform/DisplayCheck.h"

#include <xcb/xcb.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace rotenu {
namespace {

// The value of Qt's command-line option `name` ("-display" or "--display"), or null.
const char* QtOption(int argc, char** argv, std::string_view name) {
    for (int i = 1; i + 1 < argc; ++i) {
        std::string_view argument = argv[i];
        if (argument.starts_with("--"))
            argument.remove_prefix(1);
        if (argument == name)
            return argv[i + 1];
    }
    return nullptr;
}

std::string Described(const char* variable, const char* value) {
    return value && *value ? std::string(variable) + '=' + value : std::string(variable) + " is not set";
}

bool XDisplayOpens(const char* name) {
    if (!name || !*name)
        return false;
    // Held open until the program ends: an X server whose last client leaves resets (Xvfb started
    // bare, as by xvfb-run), and would turn Qt's own connection away while it does.
    static const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection(
        xcb_connect(name, nullptr), xcb_disconnect);
    return xcb_connection_has_error(connection.get()) == 0;
}

// A Wayland compositor listens on a socket named by WAYLAND_DISPLAY: a path, or a name in
// XDG_RUNTIME_DIR.
bool WaylandDisplayOpens(const char* name) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!name || !*name || (name[0] != '/' && (!runtime || !*runtime)))
        return false;
    const std::string path = name[0] == '/' ? std::string(name) : std::string(runtime) + '/' + name;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const bool opened =
        socket >= 0 && ::connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    if (socket >= 0)
        ::close(socket);
    return opened;
}

} // namespace

bool DisplayOpens(int argc, char** argv) {
    const char* platforms = QtOption(argc, argv, "-platform");
    if (!platforms)
        platforms = std::getenv("QT_QPA_PLATFORM");
    if (!platforms || !*platforms)
        platforms = kDesktopPlatform;
    std::string tried;
    // A list such as "wayland;xcb" is tried in order, each name perhaps with options after a colon.
    for (std::string_view rest = platforms; !rest.empty();) {
        const std::string_view entry = rest.substr(0, rest.find(';'));
        rest.remove_prefix(std::min(rest.size(), entry.size() + 1));
        const std::string_view platform = entry.substr(0, entry.find(':'));
        std::string display;
        if (platform == "xcb") {
            const char* name = QtOption(argc, argv, "-display");
            if (!name)
                name = std::getenv("DISPLAY");
            if (XDisplayOpens(name))
                return true;
            display = Described(QtOption(argc, argv, "-display") ? "-display" : "DISPLAY", name);
        } else if (platform.starts_with("wayland")) {
            const char* name = std::getenv("WAYLAND_DISPLAY");
            if (WaylandDisplayOpens(name && *name ? name : "wayland-0"))
                return true;
            display = Described("WAYLAND_DISPLAY", name);
        } else if (!platform.empty()) {
            return true; // offscreen, vnc, eglfs...: no display of the desktop's to open
        }
        if (!display.empty() && tried.find(display) == std::string::npos)
            tried += (tried.empty() ? "" : ", ") + display;
    }
    std::fprintf(stderr, "rotenu: no display could be opened (%s)\n", tried.c_str());
    return false;
}

} // namespace rotenu
