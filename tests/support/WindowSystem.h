#pragma once
// What the window system itself says about a shown top-level window, for tests that must hold
// on a real desktop too. Under X11 the answers are read from the X server: the rectangle of the
// frame the window manager put around the window (title bar and borders included) and the
// actions the window manager allows its user. Under the offscreen platform, which has no window
// manager, the window's own rectangle and size limits answer.
#include <QRect>

class QWidget;

namespace testing_support {

// True under X11 (a real X server, with the window manager the test run started).
bool OnRealDesktop();

// The window's outer rectangle on the screen, once the window manager has framed it and it has
// stopped moving (waits, bounded, until two readings agree).
QRect SettledOuterGeometry(QWidget& window);

// Whether the window manager offers the user to resize the window.
bool UserMayResize(QWidget& window);

}  // namespace testing_support
