#pragma once
// Top-level windows placed by their outer rectangle (title bar and frame included) under a
// window manager. A window's frame is known only once the window manager has framed it; before
// that the frame it had when last shown stands in for it, else the frame of a framed window of
// the application most like it (the same kind of window, resizable or not), since one window
// manager frames like windows alike. Windows are placed through their client rectangle, which
// the window system takes as it is whether the frame is known yet or not (a frame position given
// before the frame is known may end up as the client's).
#include <functional>
#include <QMargins>
#include <QPoint>
#include <QRect>

class QWidget;

namespace platform {

// The frame around window, known or standing in as above; none on the offscreen platform, which
// draws no frames.
QMargins FrameMargins(const QWidget& window);

// The outer rectangle of window, at its place and size, frame included.
QRect OuterGeometry(const QWidget& window);

// Puts the outer top-left corner of window at outerTopLeft.
void MoveOuter(QWidget& window, QPoint outerTopLeft);

// Puts the centre of window's outer rectangle on the centre of over's.
void CentreOuterOn(QWidget& window, const QWidget& over);

// The client height that gives window the outer height outerHeight.
int ClientHeightFor(const QWidget& window, int outerHeight);

// Runs place, which places and sizes window by its frame, now; and once more when the window
// is next exposed (shown and framed), should its frame then differ from the one place reckoned
// with.
void PlaceNowAndOnceFramed(QWidget& window, std::function<void()> place);

}  // namespace platform
