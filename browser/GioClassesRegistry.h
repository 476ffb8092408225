#pragma once

#include "platform/ClassesRegistry.h"

#include <string>
#include <string_view>

namespace rotenu {

// The classes registry as the desktop's MIME associations (GIO) present it, in UTF-8:
// - ".ext" exists when GIO knows a content type for a file named so; its default value is the
//   desktop file id of the default application for that type that takes addresses (missing when
//   there is none);
// - "<desktop id>\Shell\Open\Command" exists when that application is installed; its default
//   value is the application's command line with the field codes in the registry's form, behind
//   the command of a terminal when the application runs in one.
// It lives in the browser part module; the program reaches it through BrowserPartClassesRegistry.
class GioClassesRegistry final : public ClassesRegistry {
public:
    std::unique_ptr<RegistryKey> openKey(std::string_view path) override;
};

// A desktop entry's Exec line in the registry's form: %u %U %f %F become %1, %% stays, and every
// other field code (%i %c %k, the deprecated ones, and any unknown one) is dropped.
std::string RegistryCommandFromExec(std::string_view exec);

// The terminal that runs a program for an application whose entry says Terminal=true, as the start
// of a command line ("'/usr/bin/x-terminal-emulator' -e"), with its percent signs doubled so that
// the registry's rules keep them: Debian's chosen terminal, else the first that GIO itself would
// use. "" when there is none.
std::string TerminalCommandPrefix();

} // namespace rotenu
