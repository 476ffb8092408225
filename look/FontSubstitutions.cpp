#include "look/FontSubstitutions.h"

#include <QFont>

namespace rotenu {

void InstallFontSubstitutions() {
    QFont::insertSubstitution(ProportionalGothicFamily(), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(FixedGothicFamily(), QStringLiteral("IPAGothic"));
}

} // namespace rotenu
