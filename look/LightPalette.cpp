#include "look/LightPalette.h"

#include <QStyle>

namespace rotenu {

QPalette FixedLightPalette(const QStyle* fusion) {
    // Fusion's standard palette is the one that a desktop without a colour scheme shows.
    const QPalette light = fusion ? fusion->standardPalette() : QPalette(Qt::black, QColor(0xef, 0xef, 0xef));
    QPalette fixed;
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        for (int role = 0; role < QPalette::NColorRoles; ++role)
            fixed.setBrush(group, QPalette::ColorRole(role), light.brush(group, QPalette::ColorRole(role)));
    return fixed;
}

} // namespace rotenu
