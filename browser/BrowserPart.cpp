#include "browser/BrowserPart.h"

#include "platform/LoadablePart.h"
#include "text/ShiftJis.h"

namespace rotenu {
namespace {

template <typename Entry> auto* PartObject(const char* entry) {
    const auto create = reinterpret_cast<Entry>(ResolvePartSymbol(DESKTOP_PART, entry));
    return create ? create() : nullptr;
}

} // namespace

std::unique_ptr<RegistryKey> DesktopClassesRegistry::openKey(std::string_view path) {
    ClassesRegistry* registry = PartObject<DesktopClassesRegistryEntry>(DESKTOP_CLASSES_REGISTRY_ENTRY);
    return registry ? registry->openKey(path) : nullptr;
}

std::string DesktopClassesRegistry::fromProgramText(std::string_view text) {
    return FromShiftJis(text).toStdString();
}

void DesktopCommandStarter::start(std::string_view commandLine) {
    if (CommandStarter* starter = PartObject<DesktopCommandStarterEntry>(DESKTOP_COMMAND_STARTER_ENTRY))
        starter->start(commandLine);
}

} // namespace rotenu
