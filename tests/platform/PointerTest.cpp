// The cursor's screen position, the controls' cursor shapes and the modifier key state.
#include <gtest/gtest.h>
#include <QTest>
#include <QWidget>

#include "platform/ControlCursor.h"
#include "platform/CursorPos.h"
#include "platform/KeyState.h"
#include "tests/support/MouseDriver.h"

using namespace platform;

TEST(CursorPos, FollowsMouseEventsThroughAnyWidget)
{
    QWidget window;
    window.setGeometry(100, 50, 200, 100);
    auto* child = new QWidget(&window);
    child->setGeometry(20, 10, 50, 50);
    testing_support::MouseDriver mouse(window);

    mouse.Move({30, 40});
    const QPoint expected = window.mapToGlobal(QPoint(30, 40));
    EXPECT_EQ(GetCursorPos(), (TPoint{expected.x(), expected.y()}));

    // A press and a release count as well, also over a child widget.
    mouse.Press({25, 15}, Qt::RightButton);
    const QPoint pressed = window.mapToGlobal(QPoint(25, 15));
    EXPECT_EQ(GetCursorPos(), (TPoint{pressed.x(), pressed.y()}));
    mouse.Release({199, 99}, Qt::RightButton);
    const QPoint released = window.mapToGlobal(QPoint(199, 99));
    EXPECT_EQ(GetCursorPos(), (TPoint{released.x(), released.y()}));
}

TEST(ControlCursor, EveryIdentifierShowsItsShapeAndReadsBack)
{
    const std::pair<TCursor, Qt::CursorShape> cases[] = {
        {crDefault, Qt::ArrowCursor},      {crSizeWE, Qt::SizeHorCursor},
        {crSizeNS, Qt::SizeVerCursor},     {crSizeNWSE, Qt::SizeFDiagCursor},
        {crSizeNESW, Qt::SizeBDiagCursor}, {crDrag, Qt::DragMoveCursor},
    };
    QWidget control;
    for (const auto& [cursor, shape] : cases) {
        SetControlCursor(control, cursor);
        EXPECT_EQ(control.cursor().shape(), shape) << cursor;
        EXPECT_EQ(ControlCursor(control), cursor);
    }
    // An identifier the tool does not use shows the arrow.
    SetControlCursor(control, TCursor(-3));
    EXPECT_EQ(ControlCursor(control), crDefault);
}

TEST(KeyState, ShiftIsNegativeOnlyWhileHeld)
{
    QWidget window;
    window.resize(50, 50);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(GetKeyState(VK_SHIFT), 0);

    QTest::keyPress(window.windowHandle(), Qt::Key_Shift, Qt::ShiftModifier);
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    EXPECT_EQ(GetKeyState(VK_CONTROL), 0);
    EXPECT_EQ(GetKeyState('A'), 0);

    QTest::keyRelease(window.windowHandle(), Qt::Key_Shift, Qt::NoModifier);
    EXPECT_EQ(GetKeyState(VK_SHIFT), 0);
}
