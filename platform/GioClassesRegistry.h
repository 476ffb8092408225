#pragma once

#include "platform/ClassesRegistry.h"

#include <string>
#include <string_view>

namespace rotenu {

// The classes registry as the desktop's MIME associations (GIO) present it:
// - ".ext" exists when GIO knows a content type for a file named so; its default value is the
//   desktop file id of the default application for that type (missing when there is none);
// - "<desktop id>\Shell\Open\Command" exists when that application is installed; its default
//   value is the application's command line with the field codes in the registry's form.
class GioClassesRegistry final : public ClassesRegistry {
public:
    std::unique_ptr<RegistryKey> openKey(std::string_view path) override;
};

// A desktop entry's Exec line in the registry's form: %u %U %f %F become %1, %% stays, and every
// other field code (%i %c %k, the deprecated ones, and any unknown one) is dropped.
std::string RegistryCommandFromExec(std::string_view exec);

} // namespace rotenu
