#include "platform/Mouse.h"

#include <QMouseEvent>

namespace platform {

TMouseButton ButtonOf(const QMouseEvent& event)
{
    switch (event.button()) {
    case Qt::LeftButton: return TMouseButton::mbLeft;
    case Qt::RightButton: return TMouseButton::mbRight;
    case Qt::MiddleButton: return TMouseButton::mbMiddle;
    case Qt::XButton1: return TMouseButton::mbExtra1;
    default: return TMouseButton::mbExtra2;
    }
}

TShiftState ShiftOf(const QMouseEvent& event)
{
    TShiftState shift;
    const Qt::KeyboardModifiers keys = event.modifiers();
    const Qt::MouseButtons buttons = event.buttons();
    if (keys & Qt::ShiftModifier)
        shift.Include(TShiftFlag::ssShift);
    if (keys & Qt::AltModifier)
        shift.Include(TShiftFlag::ssAlt);
    if (keys & Qt::ControlModifier)
        shift.Include(TShiftFlag::ssCtrl);
    if (buttons & Qt::LeftButton)
        shift.Include(TShiftFlag::ssLeft);
    if (buttons & Qt::RightButton)
        shift.Include(TShiftFlag::ssRight);
    if (buttons & Qt::MiddleButton)
        shift.Include(TShiftFlag::ssMiddle);
    if (event.type() == QEvent::MouseButtonDblClick)
        shift.Include(TShiftFlag::ssDouble);
    return shift;
}

}  // namespace platform
