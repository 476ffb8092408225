#pragma once

#include <QString>

namespace rotenu {

// The two families that the windows are designed with.
inline QString ProportionalGothicFamily() {
    return QStringLiteral(u"ＭＳ Ｐゴシック");
}
inline QString FixedGothicFamily() {
    return QStringLiteral(u"ＭＳ ゴシック");
}

// Maps the designed families to the IPA Gothic fonts of the system.
void InstallFontSubstitutions();

} // namespace rotenu
