#pragma once
// The frame that the window manager puts around a top-level window, learnt before the window is
// shown, so that it can be placed by its frame without moving once it is up.

#include <QMargins>

#include <chrono>
#include <optional>

class QWidget;

namespace rotenu {

// The frame of a window not shown yet, as the window manager announces it: on X11 a window
// manager that supports it answers a request for the frame it will give the window
// (_NET_REQUEST_FRAME_EXTENTS) by setting _NET_FRAME_EXTENTS. Waits at most `patience` for the
// answer; none where the window system or the window manager cannot tell.
std::optional<QMargins> AnnouncedFrameExtents(QWidget& window, std::chrono::milliseconds patience);

// Whether a window manager runs on the window's screen and writes the frames it gives windows
// (_NET_FRAME_EXTENTS): only then is there a frame worth waiting for.
bool WindowManagerTellsFrames(QWidget& window);

// The frame that the window manager has written on the window (_NET_FRAME_EXTENTS), once it frames
// it; none before, or where the window system cannot tell.
std::optional<QMargins> CurrentFrameExtents(QWidget& window);

} // namespace rotenu
