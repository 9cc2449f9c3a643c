#pragma once
// The size the program gives a top-level window (its client size). A window with a fixed border
// (its least and largest sizes equal, so that the user cannot resize it) gets the size as its new
// fixed size, never below its minimum size hint; any other window is resized within its limits.
class QSize;
class QWidget;

namespace platform {

void SetWindowSize(QWidget& window, QSize size);

}  // namespace platform
