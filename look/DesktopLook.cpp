#include "look/DesktopLook.h"

#include "look/FontSubstitutions.h"
#include "look/JapaneseFontCheck.h"
#include "look/LightPalette.h"
#include "look/QtTranslations.h"
#include "widgets/AccessibleMenuItem.h"

#include <QApplication>
#include <QFont>

#include <cstdio>

namespace rotenu {

void PrepareDesktopLook(QApplication& application) {
    InstallFontSubstitutions();
    // Popup menus, message boxes and tooltips are windows of their own and do not inherit the
    // windows' font: the application font is that font. Setting it also drops the desktop's own
    // fonts for menus and the like.
    QApplication::setFont(QFont(ProportionalGothicFamily(), 9));
    // The windows fix text colours (black names, blue lists, red and blue status lines) that only
    // read on light backgrounds; a dark scheme would put them on dark ones. Some desktop styles
    // paint their own dark faces whatever the palette says (Adwaita-Dark's drop-down lists), so
    // the style is Qt's built-in Fusion, which paints with the palette: the look that a desktop
    // without a theme shows, and no style plugin to load.
    const QStyle* fusion = QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setPalette(FixedLightPalette(fusion));
    LoadQtJapaneseTranslations(application);
    InstallAccessibleMenuItemNames();
    if (!HasJapaneseFont())
        std::fputs(MissingJapaneseFontMessage().toLocal8Bit().append('\n').constData(), stderr);
}

} // namespace rotenu
