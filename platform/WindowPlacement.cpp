#include "platform/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace rotenu {

void CenterOnScreen(QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect desktop = screen->availableGeometry();
    // Before the first mapping the frame is unknown; the window manager adds it around this.
    const QSize size = window.frameGeometry().size().expandedTo(window.size());
    window.move(desktop.x() + (desktop.width() - size.width()) / 2,
                desktop.y() + (desktop.height() - size.height()) / 2);
}

void CenterOnFirstShow::onShow(QWidget& window) {
    if (m_placed)
        return;
    m_placed = true;
    CenterOnScreen(window);
}

} // namespace rotenu
