#pragma once
// What the window system itself says about a shown top-level window, for tests that must hold
// on a real desktop too. Under X11 the answer is read from the X server: the rectangle of the
// frame the window manager put around the window (title bar and borders included). Under the
// offscreen platform, which has no window manager, the window's own rectangle answers.
#include <QRect>

class QWidget;

namespace testing_support {

// True under X11 (a real X server, with the window manager the test run started).
bool OnRealDesktop();

// The window's outer rectangle on the screen, once the window manager has framed it and it has
// stopped moving (waits, bounded, until two readings agree).
QRect SettledOuterGeometry(QWidget& window);

}  // namespace testing_support
