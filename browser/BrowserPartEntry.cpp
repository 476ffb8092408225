// The entry points of the part module "rotenu-desktop", named as DesktopPart.h names them.

#include "browser/BrowserPart.h"
#include "browser/GioClassesRegistry.h"
#include "browser/GioCommandStarter.h"

extern "C" {

[[gnu::visibility("default")]] rotenu::ClassesRegistry* rotenu_desktop_classes_registry() {
    static rotenu::GioClassesRegistry registry;
    return &registry;
}

[[gnu::visibility("default")]] rotenu::CommandStarter* rotenu_desktop_command_starter() {
    static rotenu::GioCommandStarter starter;
    return &starter;
}

} // extern "C"
