#include "app/DisplayPlatform.h"

#include "platform/DisplayCheck.h"

#include <QByteArray>
#include <QtGlobal>

namespace rotenu {

bool ChooseDisplayPlatform() {
    // The windows open centred on the screen, and only X11 lets a client place its windows: a
    // Wayland compositor places them itself. Asked for nothing, Qt would try Wayland first under a
    // Wayland session and warn at every start where its Wayland plugin is not installed.
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return false;
    qputenv("QT_QPA_PLATFORM", kDesktopPlatform);
    return true;
}

} // namespace rotenu
