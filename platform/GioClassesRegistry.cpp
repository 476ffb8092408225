#include "platform/GioClassesRegistry.h"

// Before any Qt header: GIO has a member named "signals".
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include "platform/ShiftJis.h"

#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;

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

// ".htm": the default application of the type that the extension gives.
std::unique_ptr<RegistryKey> openExtensionKey(const QString& extension) {
    const QByteArray fileName = QByteArrayLiteral("file") + extension.toUtf8();
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
std::unique_ptr<RegistryKey> openCommandKey(const QString& desktopId) {
    const GObjectPtr<GDesktopAppInfo> application(g_desktop_app_info_new(desktopId.toUtf8().constData()));
    if (!application)
        return nullptr;
    const char* exec = g_app_info_get_commandline(G_APP_INFO(application.get()));
    return keyWithText(QString::fromUtf8(RegistryCommandFromExec(exec ? exec : "")));
}

} // namespace

std::unique_ptr<RegistryKey> GioClassesRegistry::openKey(std::string_view path) {
    // Split after decoding, so that a double-byte character ending in 0x5C is not taken apart.
    QString text = FromShiftJis(path);
    if (text.startsWith(u'\\'))
        text.remove(0, 1);
    const QStringList names = text.split(u'\\');
    if (std::ranges::any_of(names, &QString::isEmpty))
        return nullptr;
    if (names.size() == 1 && names[0].startsWith(u'.'))
        return openExtensionKey(names[0]);
    const auto is = [&](qsizetype index, QLatin1StringView name) {
        return names[index].compare(name, Qt::CaseInsensitive) == 0;
    };
    if (names.size() == 4 && is(1, "Shell"_L1) && is(2, "Open"_L1) && is(3, "Command"_L1))
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
