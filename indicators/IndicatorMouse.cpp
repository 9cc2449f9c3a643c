// Mouse layout editing of an indicator: the cursor by edge band while hovering, and moving or
// resizing on the 8-pixel grid while the left button is held.
#include <algorithm>
#include <QMouseEvent>

#include "indicators/Indicator.h"
#include "indicators/LayoutGrid.h"
#include "indicators/ZpMainPanel.h"
#include "platform/ControlCursor.h"
#include "platform/CursorPos.h"
#include "platform/Exceptions.h"

platform::TCursor TIndicator::GetMouseStyle(std::int32_t X, std::int32_t Y)
{
    MousePosi = EdgeBands(X, Y, Width(), Height());
    return CursorOfBands(MousePosi);
}

platform::TCursor TIndicator::Cursor() const
{
    return platform::ControlCursor(*this);
}

void TIndicator::SetCursor(platform::TCursor cursor)
{
    platform::SetControlCursor(*this, cursor);
}

void TIndicator::MouseDown(platform::TMouseButton Button, platform::TShiftState, int, int)
{
    const platform::TPoint cursor = platform::GetCursorPos();
    const QPoint inPanel = parentWidget()
                               ? parentWidget()->mapFromGlobal(QPoint(cursor.X, cursor.Y))
                               : QPoint(cursor.X, cursor.Y);
    MouseDownPos = {inPanel.x(), inPanel.y()};
    SelectIndicator = this;
    if (Button != platform::TMouseButton::mbLeft)
        return;
    // MousePosi stays as the last hover left it: that classification decides what the drag does.
    DefMouse = cursor;
    MouseLBPush = true;
    MemLeft = Left();
    MemTop = Top();
    MemWidth = Width();
    MemHeight = Height();
    MemDX = 0;
    MemDY = 0;
    raise();
}

void TIndicator::MouseMove(platform::TShiftState, int X, int Y)
{
    if (!MouseLBPush) {
        SetCursor(GetMouseStyle(X, Y));
        return;
    }
    // Every step derives the bounds from those at the press and the whole travel since, so
    // rounding never accumulates; MemDX and MemDY only skip steps that would change nothing.
    const platform::TPoint cursor = platform::GetCursorPos();
    const int dx = SnapTravel(cursor.X - DefMouse.X);
    const int dy = SnapTravel(cursor.Y - DefMouse.Y);
    // A corner drag changes one axis per event: the horizontal edge when dx changed, else the
    // vertical one.
    if (Cursor() == platform::crDrag && (MousePosi & BandInside) && (dx != MemDX || dy != MemDY))
        DragMove(dx, dy);
    else if ((MousePosi & BandLeft) && dx != MemDX)
        DragLeftEdge(dx);
    else if ((MousePosi & BandRight) && dx != MemDX)
        DragRightEdge(dx);
    else if ((MousePosi & BandTop) && dy != MemDY)
        DragTopEdge(dy);
    else if ((MousePosi & BandBottom) && dy != MemDY)
        DragBottomEdge(dy);
    if (auto* panel = qobject_cast<TZpMainPanel*>(parentWidget()))
        panel->UpdateSize();
}

void TIndicator::MouseUp(platform::TMouseButton, platform::TShiftState, int, int)
{
    MouseLBPush = false;
}

void TIndicator::DragMove(int dx, int dy)
{
    MemDX = dx;
    MemDY = dy;
    const int left = std::max(MemLeft + dx, 1);
    const int top = std::max(MemTop + dy, 1);
    SetBounds(SnapPosition(left), SnapPosition(top), Width(), Height());
}

void TIndicator::DragLeftEdge(int dx)
{
    MemDX = dx;
    int left = Left();
    int width = Width();
    if (MemWidth - dx >= WidthMin) {
        left = MemLeft + dx;
        width = MemWidth - dx;
    }
    if (left < 1) {  // the right edge stays where it was
        width = width + left - 1;
        left = 1;
    }
    SetBounds(SnapPosition(left), Top(), std::max(SnapSize(width), 0), Height());
}

void TIndicator::DragRightEdge(int dx)
{
    MemDX = dx;
    int width = Width();
    if (MemWidth + dx >= WidthMin)
        width = MemWidth + dx;
    SetWidth(SnapSize(width));
}

void TIndicator::DragTopEdge(int dy)
{
    MemDY = dy;
    int top = Top();
    int height = Height();
    if (MemHeight - dy >= HeightMin) {
        top = MemTop + dy;
        height = MemHeight - dy;
    }
    if (top < 1) {  // the bottom edge stays where it was
        height = height + top - 1;
        top = 1;
    }
    SetBounds(Left(), SnapPosition(top), Width(), std::max(SnapSize(height), 0));
}

void TIndicator::DragBottomEdge(int dy)
{
    MemDY = dy;
    int height = Height();
    if (MemHeight + dy >= HeightMin)
        height = MemHeight + dy;
    SetHeight(SnapSize(height));
}

void TIndicator::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    platform::Guarded(
        [&] { MouseDown(platform::ButtonOf(*event), platform::ShiftOf(*event), at.x(), at.y()); });
    event->accept();
}

void TIndicator::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    platform::Guarded([&] { MouseMove(platform::ShiftOf(*event), at.x(), at.y()); });
    event->accept();
}

void TIndicator::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    platform::Guarded(
        [&] { MouseUp(platform::ButtonOf(*event), platform::ShiftOf(*event), at.x(), at.y()); });
    event->accept();
}
