#include "platform/GioClassesRegistry.h"

// Before any Qt header: GIO has a member named "signals".
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include "platform/ShiftJis.h"

#include <algorithm>
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

std::unique_ptr<RegistryKey> keyWithText(const QString& text) {
    if (text.isEmpty())
        return std::make_unique<FixedKey>(RegistryValue{});
    return std::make_unique<FixedKey>(RegistryValue{RegistryValue::Type::Text, ToShiftJis(text)});
}

std::vector<std::string_view> splitPath(std::string_view path) {
    if (path.starts_with('\\'))
        path.remove_prefix(1);
    std::vector<std::string_view> names;
    for (;;) {
        const std::size_t end = path.find('\\');
        names.push_back(path.substr(0, end));
        if (end == std::string_view::npos)
            return names;
        path.remove_prefix(end + 1);
    }
}

bool sameKeyName(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return lower(x) == lower(y); });
}

// ".htm": the default application of the type that the extension gives.
std::unique_ptr<RegistryKey> openExtensionKey(std::string_view extension) {
    const QByteArray fileName = QByteArrayLiteral("file") + FromShiftJis(extension).toUtf8();
    // A name alone leaves GIO "uncertain" whenever several types claim the extension (".htm" is
    // text/html and application/xhtml+xml); its first choice counts unless it is the unknown type.
    const GText type(g_content_type_guess(fileName.constData(), nullptr, 0, nullptr));
    if (!type || g_content_type_is_unknown(type.get()))
        return nullptr;
    const GObjectPtr<GAppInfo> application(g_app_info_get_default_for_type(type.get(), FALSE));
    const char* id = application ? g_app_info_get_id(application.get()) : nullptr;
    return keyWithText(id ? QString::fromUtf8(id) : QString());
}

// "<desktop id>\Shell\Open\Command": the application's command line.
std::unique_ptr<RegistryKey> openCommandKey(std::string_view className) {
    const QByteArray id = FromShiftJis(className).toUtf8();
    if (id.isEmpty())
        return nullptr;
    const GObjectPtr<GDesktopAppInfo> application(g_desktop_app_info_new(id.constData()));
    if (!application)
        return nullptr;
    const char* exec = g_app_info_get_commandline(G_APP_INFO(application.get()));
    return keyWithText(QString::fromUtf8(RegistryCommandFromExec(exec ? exec : "")));
}

} // namespace

std::unique_ptr<RegistryKey> GioClassesRegistry::openKey(std::string_view path) {
    const std::vector<std::string_view> names = splitPath(path);
    if (std::ranges::any_of(names, &std::string_view::empty))
        return nullptr;
    if (names.size() == 1 && names[0].starts_with('.'))
        return openExtensionKey(names[0]);
    if (names.size() == 4 && sameKeyName(names[1], "Shell") && sameKeyName(names[2], "Open") &&
        sameKeyName(names[3], "Command"))
        return openCommandKey(names[0]);
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

} // namespace rotenu
