#pragma once

class QWidget;

namespace rotenu {

// Moves a window so that it stands in the middle of the desktop of its screen.
void CenterOnScreen(QWidget& window);

// Centres a window on its first showing only; later showings keep the place where the user left
// it. Call from the window's showEvent.
class CenterOnFirstShow {
public:
    void onShow(QWidget& window);

private:
    bool m_placed = false;
};

} // namespace rotenu
