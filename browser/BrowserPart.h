#pragma once
// The desktop's browser look-up and command starting (GIO) live in the part module
// "rotenu-browser", loaded when a web page is first opened, so that GIO and the libraries it pulls
// in cost nothing at start-up. These stand-ins load it on first use and pass every call on; when
// the module cannot be loaded there is no browser, and nothing starts.

#include "platform/ClassesRegistry.h"
#include "platform/CommandStarter.h"

namespace rotenu {

// The module and its two entry points, each returning an object that lives as long as the program.
inline constexpr char kBrowserPart[] = "rotenu-browser";
inline constexpr char kBrowserClassesRegistryEntry[] = "rotenu_browser_classes_registry";
inline constexpr char kBrowserCommandStarterEntry[] = "rotenu_browser_command_starter";
using BrowserClassesRegistryEntry = ClassesRegistry* (*)();
using BrowserCommandStarterEntry = CommandStarter* (*)();

// The desktop's registry (UTF-8 texts): see GioClassesRegistry.
class BrowserPartClassesRegistry final : public ClassesRegistry {
public:
    std::unique_ptr<RegistryKey> openKey(std::string_view path) override;
    std::string fromProgramText(std::string_view text) override;
};

// Starts the desktop registry's command lines: see GioCommandStarter.
class BrowserPartCommandStarter final : public CommandStarter {
public:
    void start(std::string_view commandLine) override;
};

} // namespace rotenu
