#pragma once

class QWidget;

namespace rotenu {

// Moves a window so that it stands in the middle of the desktop of its screen.
void CenterOnScreen(QWidget& window);

// Makes `window` a window of `owner` for the window manager (WM_TRANSIENT_FOR on X11): kept above
// it, given the focus when it comes up over it. Qt would name a hidden window of its own instead.
void SetTransientParent(QWidget& window, const QWidget* owner);

// Centres a window on its first showing only; later showings keep the place where the user left
// it. Call from the window's showEvent.
class CenterOnFirstShow {
public:
    void onShow(QWidget& window);

private:
    bool m_placed = false;
};

} // namespace rotenu
