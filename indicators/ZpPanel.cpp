#include "indicators/ZpPanel.h"

#include <algorithm>
#include <QMouseEvent>

#include "indicators/LayoutGrid.h"
#include "platform/ControlCursor.h"
#include "platform/CursorPos.h"

TZpPanel::TZpPanel(QWidget* parent) : platform::Panel(parent)
{
    // Hover movements classify the edge bands and set the cursor.
    setMouseTracking(true);
}

void TZpPanel::MouseDown(platform::TMouseButton button, platform::TShiftState, int, int)
{
    if (button != platform::TMouseButton::mbLeft)
        return;
    DefMouse = platform::GetCursorPos();
    MouseLBPush = true;
    MemLeft = Left();
    MemTop = Top();
    MemWidth = Width();
    MemHeight = Height();
    MemDX = 0;
    MemDY = 0;
    raise();
}

void TZpPanel::MouseMove(platform::TShiftState, int x, int y)
{
    if (!MouseLBPush) {
        MousePosi = EdgeBands(x, y, Width(), Height()) & ~BandInside;
        platform::SetControlCursor(*this, CursorOfBands(MousePosi));
        return;
    }
    const platform::TPoint cursor = platform::GetCursorPos();
    const int dx = SnapTravel(cursor.X - DefMouse.X);
    const int dy = SnapTravel(cursor.Y - DefMouse.Y);
    if (dx == MemDX && dy == MemDY)
        return;
    MemDX = dx;
    MemDY = dy;

    // Every step starts from the bounds at the press, so rounding never accumulates; an edge
    // whose step would pass the minimum size stays where it is.
    int left = Left();
    int top = Top();
    int width = Width();
    int height = Height();
    if (MousePosi == 0) {
        left = MemLeft + dx;
        top = MemTop + dy;
    }
    if ((MousePosi & BandLeft) && MemWidth - dx >= WidthMin) {
        left = MemLeft + dx;
        width = MemWidth - dx;
    }
    if ((MousePosi & BandRight) && MemWidth + dx >= WidthMin)
        width = MemWidth + dx;
    if ((MousePosi & BandTop) && MemHeight - dy >= HeightMin) {
        top = MemTop + dy;
        height = MemHeight - dy;
    }
    if ((MousePosi & BandBottom) && MemHeight + dy >= HeightMin)
        height = MemHeight + dy;
    left = std::max(left, 1);
    top = std::max(top, 1);
    SetBounds(SnapPosition(left), SnapPosition(top), SnapSize(width), SnapSize(height));
}

void TZpPanel::MouseUp(platform::TMouseButton, platform::TShiftState, int, int)
{
    MouseLBPush = false;
}

void TZpPanel::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    MouseDown(platform::ButtonOf(*event), platform::ShiftOf(*event), at.x(), at.y());
    event->accept();
}

void TZpPanel::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    MouseMove(platform::ShiftOf(*event), at.x(), at.y());
    event->accept();
}

void TZpPanel::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    MouseUp(platform::ButtonOf(*event), platform::ShiftOf(*event), at.x(), at.y());
    event->accept();
}
