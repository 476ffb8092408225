// The entry points of the part module "rotenu-browser", named as BrowserPart.h names them.

#include "browser/BrowserPart.h"
#include "browser/GioClassesRegistry.h"
#include "browser/GioCommandStarter.h"

extern "C" {

[[gnu::visibility("default")]] rotenu::ClassesRegistry* rotenu_browser_classes_registry() {
    static rotenu::GioClassesRegistry registry;
    return &registry;
}

[[gnu::visibility("default")]] rotenu::CommandStarter* rotenu_browser_command_starter() {
    static rotenu::GioCommandStarter starter;
    return &starter;
}

} // extern "C"
