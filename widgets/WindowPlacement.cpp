#include "widgets/WindowPlacement.h"

#include "widgets/FrameExtents.h"

#include <QApplication>
#include <QExposeEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace rotenu {
namespace {

using namespace std::chrono_literals;

// How long a window about to be shown waits for the window manager to announce its frame (the
// program waits), and how long a shown window waits to be framed before it paints anyway (only
// its first paint waits; a busy window manager may take longer than a moment to frame it).
constexpr auto kFramePatience = 200ms;
constexpr auto kPaintPatience = 1000ms;

// The frame of another window that is up, as a guess where the window manager announces none.
QPoint CenteredClientTopLeft(const QRect& desktop, const QSize& client, const QMargins& frame) {
    const QSize framed = client.grownBy(frame);
    return {desktop.x() + (desktop.width() - framed.width()) / 2 + frame.left(),
            desktop.y() + (desktop.height() - framed.height()) / 2 + frame.top()};
}

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

// From the window's first exposure on, nothing of it is painted until its frame is known and it
// stands where that frame is centred (or, should the window manager never tell, a moment later).
// Where the window manager framed it in place at once, it paints at its first exposure.
class SettleOnceFramed final : public QObject {
public:
    SettleOnceFramed(QWidget& window, QRect desktop)
        : QObject(&window), m_window(window), m_desktop(desktop) {
        window.windowHandle()->installEventFilter(this);
        m_poll.setInterval(10);
        connect(&m_poll, &QTimer::timeout, this, &SettleOnceFramed::settle);
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::Expose || m_done)
            return false;
        if (!m_poll.isActive()) {
            // Nor what Qt has queued for painting since the window was shown.
            m_window.setUpdatesEnabled(false);
            m_poll.start();
            QTimer::singleShot(kPaintPatience, this, &SettleOnceFramed::paint);
            m_inExposure = true;
            settle();
            m_inExposure = false;
        }
        return !m_done;
    }

private:
    void settle() {
        const std::optional<QMargins> frame = CurrentFrameExtents(m_window);
        // Mutter 47 first writes a frame of nothing on a window it has not taken in yet: no frame
        // counts only once the window manager has taken the window in.
        if (!frame || (frame->isNull() && !InWindowManagerFrame(m_window)))
            return;
        const QPoint target = CenteredClientTopLeft(m_desktop, m_window.size(), *frame);
        // Within a pixel: the rounding of a scaled frame.
        if ((m_window.windowHandle()->position() - target).manhattanLength() <= 1)
            return paint();
        // Painted once the window manager says it has moved it. A busy one may first report a size
        // or frame that does not last (KWin under load): asked again only when the target moves, so
        // as not to fight a window manager that puts the window elsewhere.
        if (m_requested != target)
            m_window.setGeometry(QRect(target, m_window.size()));
        m_requested = target;
    }

    void paint() {
        if (m_done)
            return;
        m_done = true;
        m_poll.stop();
        m_window.windowHandle()->removeEventFilter(this);
        m_window.setUpdatesEnabled(true);
        // The exposure held back until now (within one, that one goes on).
        if (!m_inExposure) {
            QExposeEvent exposure(QRegion(QRect(QPoint(), m_window.windowHandle()->size())));
            QCoreApplication::sendEvent(m_window.windowHandle(), &exposure);
        }
        deleteLater();
    }

    QWidget& m_window;
    QRect m_desktop;
    QTimer m_poll;
    std::optional<QPoint> m_requested;
    bool m_inExposure = false;
    bool m_done = false;
};

QMargins ExpectedFrame(QWidget& window, FrameSupport support) {
    if (window.windowHandle() && window.windowHandle()->isExposed()) {
        const QMargins frame = window.windowHandle()->frameMargins();
        if (!frame.isNull())
            return frame;
    }
    if (const auto announced = AnnouncedFrameExtents(window, support, kFramePatience))
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
    const FrameSupport support = WindowManagerFrameSupport(window);
    const QMargins frame = ExpectedFrame(window, support);
    window.setGeometry(QRect(CenteredClientTopLeft(desktop, window.size(), frame), window.size()));
    // An X11 window manager may frame a window without telling the frame first (KWin), or put the
    // frame somewhere else for a moment while it frames a dialog: nothing is painted before the
    // window stands where its known frame is centred. Without such a window manager no frame comes
    // and the window paints at once.
    if (window.windowHandle() && !window.windowHandle()->isExposed() && support.written)
        new SettleOnceFramed(window, desktop);
}

void SetTransientParent(QWidget& window, const QWidget* owner) {
    if (!owner || owner == &window || !owner->window()->windowHandle())
        return;
    window.winId(); // the native window, for its handle
    window.windowHandle()->setTransientParent(owner->window()->windowHandle());
}

void CenterOnFirstShow::onShow(QWidget& window) {
    if (m_placed)
        return;
    m_placed = true;
    CenterOnScreen(window);
}

} // namespace rotenu
