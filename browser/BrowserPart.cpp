#include "browser/BrowserPart.h"

#include "platform/LoadablePart.h"
#include "text/ShiftJis.h"

namespace rotenu {
namespace {

template <typename Entry> auto* PartObject(const char* entry) {
    const auto create = reinterpret_cast<Entry>(ResolvePartSymbol(kBrowserPart, entry));
    return create ? create() : nullptr;
}

} // namespace

std::unique_ptr<RegistryKey> BrowserPartClassesRegistry::openKey(std::string_view path) {
    ClassesRegistry* registry = PartObject<BrowserClassesRegistryEntry>(kBrowserClassesRegistryEntry);
    return registry ? registry->openKey(path) : nullptr;
}

std::string BrowserPartClassesRegistry::fromProgramText(std::string_view text) {
    return FromShiftJis(text).toStdString();
}

void BrowserPartCommandStarter::start(std::string_view commandLine) {
    if (CommandStarter* starter = PartObject<BrowserCommandStarterEntry>(kBrowserCommandStarterEntry))
        starter->start(commandLine);
}

} // namespace rotenu
