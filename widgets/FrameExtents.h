#pragma once
// The frame that the window manager puts around a top-level window, learnt before the window is
// shown, so that it can be placed by its frame without moving once it is up.

#include <QMargins>

#include <chrono>
#include <optional>

class QWidget;

namespace rotenu {

// What the window manager on a window's screen tells of frames: whether one runs and writes the
// frames it gives windows (_NET_FRAME_EXTENTS), only then is there a frame worth waiting for; and
// whether it answers a request for the frame of a window not shown yet (_NET_REQUEST_FRAME_EXTENTS).
struct FrameSupport {
    bool written = false;
    bool announced = false;
};
FrameSupport WindowManagerFrameSupport(QWidget& window);

// The frame of a window not shown yet: the one written on it already, else, where `support` says
// the window manager answers, the one it announces on request. Waits at most `patience` for the
// answer; none where the window system or the window manager cannot tell.
std::optional<QMargins> AnnouncedFrameExtents(QWidget& window, FrameSupport support,
                                              std::chrono::milliseconds patience);

// The frame that the window manager has written on the window (_NET_FRAME_EXTENTS), once it frames
// it; none before, or where the window system cannot tell.
std::optional<QMargins> CurrentFrameExtents(QWidget& window);

// Whether the window manager has taken the window into a window of its own, the frame's (reparented
// it); false where the window system cannot tell.
bool InWindowManagerFrame(QWidget& window);

} // namespace rotenu
