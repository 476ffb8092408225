#include "browser/GioClassesRegistry.h"

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace rotenu {
namespace {

template <typename T> struct GObjectDeleter {
    void operator()(T* object) const { g_object_unref(object); }
};
template <typename T> using GObjectPtr = std::unique_ptr<T, GObjectDeleter<T>>;

struct GFreeDeleter {
    void operator()(gchar* text) const { g_free(text); }
};
using GText = std::unique_ptr<gchar, GFreeDeleter>;

class FixedKey final : public RegistryKey {
public:
    explicit FixedKey(RegistryValue value) : m_value(std::move(value)) {}
    RegistryValue defaultValue() override { return m_value; }

private:
    RegistryValue m_value;
};

std::unique_ptr<RegistryKey> KeyWithText(std::string text) {
    if (text.empty())
        return std::make_unique<FixedKey>(RegistryValue{});
    return std::make_unique<FixedKey>(RegistryValue{RegistryValue::Type::Text, std::move(text)});
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return g_ascii_tolower(x) == g_ascii_tolower(y); });
}

std::vector<std::string> SplitPath(std::string_view path) {
    std::vector<std::string> names;
    for (std::size_t from = 0;;) {
        const std::size_t to = path.find('\\', from);
        names.emplace_back(path.substr(from, to - from));
        if (to == std::string_view::npos)
            return names;
        from = to + 1;
    }
}

// ".htm": the default application of the type that the extension gives, among those that take
// addresses.
std::unique_ptr<RegistryKey> OpenExtensionKey(const std::string& extension) {
    const std::string fileName = "file" + extension;
    // A name alone leaves GIO "uncertain" whenever several types claim the extension (".htm" is
    // text/html and application/xhtml+xml); its first choice counts unless it is the unknown type.
    const GText type(g_content_type_guess(fileName.c_str(), nullptr, 0, nullptr));
    if (!type || g_content_type_is_unknown(type.get()))
        return nullptr;
    const GObjectPtr<GAppInfo> application(g_app_info_get_default_for_type(type.get(), TRUE));
    const char* id = application ? g_app_info_get_id(application.get()) : nullptr;
    return KeyWithText(id ? id : "");
}

// "<desktop id>\Shell\Open\Command": the application's command line.
std::unique_ptr<RegistryKey> OpenCommandKey(const std::string& desktopId) {
    const GObjectPtr<GDesktopAppInfo> application(g_desktop_app_info_new(desktopId.c_str()));
    if (!application)
        return nullptr;
    const char* exec = g_app_info_get_commandline(G_APP_INFO(application.get()));
    std::string command = RegistryCommandFromExec(exec ? exec : "");
    if (!command.empty() && g_desktop_app_info_get_boolean(application.get(), "Terminal")) {
        // As GIO launches it: with no terminal to run it in, the application does not start.
        const std::string terminal = TerminalCommandPrefix();
        command = terminal.empty() ? std::string() : terminal + ' ' + command;
    }
    return KeyWithText(std::move(command));
}

} // namespace

std::unique_ptr<RegistryKey> GioClassesRegistry::openKey(std::string_view path) {
    if (!g_utf8_validate(path.data(), static_cast<gssize>(path.size()), nullptr))
        return nullptr;
    if (path.starts_with('\\'))
        path.remove_prefix(1);
    // UTF-8 never holds the byte 0x5C inside a character, so the split cannot cut one apart.
    const std::vector<std::string> names = SplitPath(path);
    if (std::ranges::any_of(names, &std::string::empty))
        return nullptr;
    if (names.size() == 1 && names[0].starts_with('.'))
        return OpenExtensionKey(names[0]);
    if (names.size() == 4 && EqualsIgnoringCase(names[1], "Shell") && EqualsIgnoringCase(names[2], "Open") &&
        EqualsIgnoringCase(names[3], "Command"))
        return OpenCommandKey(names[0]);
    return nullptr;
}

std::string RegistryCommandFromExec(std::string_view exec) {
    std::string command;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        if (exec[i] != '%') {
            command += exec[i];
            continue;
        }
        if (++i == exec.size())
            break;
        switch (exec[i]) {
        case 'u':
        case 'U':
        case 'f':
        case 'F':
            command += "%1";
            break;
        case '%':
            command += "%%";
            break;
        default:
            break;
        }
    }
    return command;
}

std::string TerminalCommandPrefix() {
    struct Terminal {
        const char* program;
        const char* runOption;
    };
    static constexpr Terminal kTerminals[] = {
        {"x-terminal-emulator", "-e"},
        {"gnome-terminal", "--"},
        {"mate-terminal", "-x"},
        {"xfce4-terminal", "-x"},
        {"tilix", "-e"},
        {"konsole", "-e"},
        {"nxterm", "-e"},
        {"color-xterm", "-e"},
        {"rxvt", "-e"},
        {"dtterm", "-e"},
        {"xterm", "-e"},
    };
    for (const Terminal& terminal : kTerminals) {
        const GText path(g_find_program_in_path(terminal.program));
        if (!path)
            continue;
        const GText quoted(g_shell_quote(path.get()));
        std::string prefix;
        for (const char* c = quoted.get(); *c; ++c)
            prefix += *c == '%' ? std::string("%%") : std::string(1, *c);
        return prefix + ' ' + terminal.runOption;
    }
    return {};
}

} // namespace rotenu
