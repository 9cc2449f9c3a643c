#pragma once
// A control's Cursor property on top of Qt's cursor shapes: setting it shows the matching
// shape over the control, reading it answers the identifier again.
#include <Qt>

#include "platform/Cursor.h"

class QWidget;

namespace platform {

// The Qt shape shown for a cursor identifier; unknown identifiers show the arrow.
Qt::CursorShape ToQtCursorShape(TCursor cursor);
// The identifier of a shape; shapes without one of our identifiers answer crDefault.
TCursor FromQtCursorShape(Qt::CursorShape shape);

void SetControlCursor(QWidget& control, TCursor cursor);
TCursor ControlCursor(const QWidget& control);

}  // namespace platform
