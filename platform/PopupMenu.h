#pragma once
// A control's popup menu (the platform's PopupMenu property): a right click on the control opens
// the menu at the pointer. The mouse press reaches the control first, so that what it records
// (the indicator's selection and placement point) is in place when the menu's items run.
class QMenu;
class QWidget;

namespace platform {

// Attaches the menu to the control; null detaches whatever menu it had.
void SetPopupMenu(QWidget* control, QMenu* menu);
// The menu attached to the control, or null.
QMenu* PopupMenuOf(const QWidget* control);

}  // namespace platform
