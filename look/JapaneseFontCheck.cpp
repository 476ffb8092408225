#include "look/JapaneseFontCheck.h"

#include <QFontDatabase>
#include <QStringList>

namespace rotenu {

bool HasJapaneseFont() {
    // The font database reads the system's font list once; the windows' first text would read it anyway.
    return !QFontDatabase::families(QFontDatabase::Japanese).isEmpty();
}

QString MissingJapaneseFontMessage() {
    return QStringLiteral(
        "rotenu: no Japanese font is installed, so the windows show boxes instead of text; "
        "install the package fonts-ipafont-gothic (sudo apt-get install fonts-ipafont-gothic).");
}

} // namespace rotenu
