#include "widgets/WindowPlacement.h"

#include "widgets/FrameExtents.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace rotenu {
namespace {

using namespace std::chrono_literals;

// How long a window about to be shown waits for the window manager to announce its frame.
constexpr auto kFramePatience = 200ms;

// The frame of another window that is up, as a guess where the window manager announces none.
QMargins FrameOfAnotherWindow(const QWidget& window) {
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (other == &window || !other->isVisible() || !other->windowHandle())
            continue;
        const QMargins frame = other->windowHandle()->frameMargins();
        if (!frame.isNull())
            return frame;
    }
    return {};
}

QMargins ExpectedFrame(QWidget& window) {
    if (window.windowHandle() && window.windowHandle()->isExposed()) {
        const QMargins frame = window.windowHandle()->frameMargins();
        if (!frame.isNull())
            return frame;
    }
    if (const auto announced = AnnouncedFrameExtents(window, kFramePatience))
        return *announced;
    return FrameOfAnotherWindow(window);
}

} // namespace

void CenterOnScreen(QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect desktop = screen->availableGeometry();
    // The framed window stands in the middle; the client area sits inside its frame.
    const QMargins frame = ExpectedFrame(window);
    const QSize framed = window.size().grownBy(frame);
    const QPoint frameTopLeft(desktop.x() + (desktop.width() - framed.width()) / 2,
                              desktop.y() + (desktop.height() - framed.height()) / 2);
    window.setGeometry(QRect(frameTopLeft + QPoint(frame.left(), frame.top()), window.size()));
}

void CenterOnFirstShow::onShow(QWidget& window) {
    if (m_placed)
        return;
    m_placed = true;
    CenterOnScreen(window);
}

} // namespace rotenu
