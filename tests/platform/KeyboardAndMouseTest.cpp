// The application's message hook, the modifier key state and the cursor's screen position.
#include <gtest/gtest.h>
#include <QApplication>
#include <QGuiApplication>
#include <QTest>
#include <QWidget>
#include <vector>

#include "platform/CursorPos.h"
#include "platform/KeyState.h"
#include "platform/MessageHook.h"
#include "tests/support/KeyProbe.h"
#include "tests/support/MouseDriver.h"

using namespace platform;

namespace {

// A shown window with a focused edit inside a nested container.
struct Window {
    QWidget top;
    QWidget* box = new QWidget(&top);
    testing_support::KeyProbe* edit = new testing_support::KeyProbe(box);
    QWindow* handle = nullptr;

    Window()
    {
        top.setGeometry(100, 50, 200, 100);
        top.show();
        QApplication::setActiveWindow(&top);
        edit->setFocus();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&top));
        handle = top.windowHandle();
    }
};

// Installs a hook for one test and puts back whatever was there.
struct HookScope {
    MessageHook saved;
    explicit HookScope(MessageHook hook) : saved(SetApplicationMessageHook(std::move(hook))) {}
    ~HookScope() { SetApplicationMessageHook(std::move(saved)); }
};

}  // namespace

TEST(MessageHook, SeesEachKeyDownOnceWhereverItIsDeliveredAndMayTakeIt)
{
    Window window;
    std::vector<int> seen;
    std::vector<bool> shift;
    HookScope scope([&](TMessage& message, bool& handled) {
        if (message.Kind == MessageKind::MouseDown || message.Kind == MessageKind::KeyDown)
            shift.push_back(message.ShiftDown());
        if (message.Kind != MessageKind::KeyDown)
            return;
        seen.push_back(message.Key);
        if (message.Key == Qt::Key_B)
            message.Key = 0;
        if (message.Key == Qt::Key_C)
            handled = true;
    });
    // Through the window, as the platform delivers keys, or straight to the control; Escape goes
    // on from the edit, which ignores it, to its parents. A held key repeats its key-downs.
    QTest::keyClick(window.handle, Qt::Key_Escape);
    QTest::keyClick(window.edit, Qt::Key_A);
    QTest::keyClick(window.handle, Qt::Key_B);
    QTest::keyClick(window.edit, Qt::Key_C);
    QTest::keyPress(window.handle, Qt::Key_F2);
    QTest::keyPress(window.handle, Qt::Key_F2);
    QTest::keyRelease(window.handle, Qt::Key_F2);
    QTest::keyPress(window.edit, Qt::Key_F2);
    QTest::keyPress(window.edit, Qt::Key_F2);
    const int f2 = Qt::Key_F2;
    EXPECT_EQ(seen,
              (std::vector<int>{Qt::Key_Escape, Qt::Key_A, Qt::Key_B, Qt::Key_C, f2, f2, f2, f2}));
    EXPECT_EQ(window.edit->keys, (std::vector<int>{Qt::Key_Escape, Qt::Key_A, f2, f2, f2, f2}));

    // Each message carries its own Shift state; the Shift key's own key-down already counts.
    shift.clear();
    QTest::mouseClick(window.edit, Qt::RightButton, Qt::ShiftModifier, QPoint(3, 3));
    QTest::keyClick(window.handle, Qt::Key_X);
    QTest::keyClick(window.handle, Qt::Key_X, Qt::ShiftModifier);
    EXPECT_EQ(shift, (std::vector<bool>{true, false, true, true}));
}

TEST(MessageHook, HooksNestAndPutTheSavedOneBackFromInsideTheirHandler)
{
    Window window;
    std::vector<char> calls;
    HookScope outer([&](TMessage& message, bool&) {
        if (message.Kind == MessageKind::KeyDown)
            calls.push_back('o');
    });
    // A dialog saves the hook in force and installs its own; on Escape it puts the saved one back.
    MessageHook saved;
    saved = SetApplicationMessageHook([&](TMessage& message, bool&) {
        if (message.Kind != MessageKind::KeyDown)
            return;
        calls.push_back('d');
        if (message.Key == Qt::Key_Escape)
            SetApplicationMessageHook(saved);
    });
    for (const Qt::Key key : {Qt::Key_A, Qt::Key_Escape, Qt::Key_A})
        QTest::keyClick(window.handle, key);
    EXPECT_EQ(calls, (std::vector<char>{'d', 'd', 'o'}));
}

TEST(KeyState, ShiftIsNegativeOnlyWhileHeldAndTheCursorFollowsTheMouse)
{
    // Under a window system these are its own pointer and keyboard, which test events do not
    // move; offscreen they follow the events.
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        GTEST_SKIP() << "offscreen only";
    Window window;
    EXPECT_EQ(GetKeyState(VK_SHIFT), 0);
    QTest::keyPress(window.handle, Qt::Key_Shift, Qt::ShiftModifier);
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    EXPECT_EQ(GetKeyState(VK_CONTROL), 0);
    EXPECT_EQ(GetKeyState('A'), 0);
    QTest::keyRelease(window.handle, Qt::Key_Shift, Qt::NoModifier);
    EXPECT_EQ(GetKeyState(VK_SHIFT), 0);

    // A move, a press over a child widget and a release all count.
    testing_support::MouseDriver mouse(window.top);
    const auto global = [&](QPoint at) {
        const QPoint onScreen = window.top.mapToGlobal(at);
        return TPoint{onScreen.x(), onScreen.y()};
    };
    mouse.Move({30, 40});
    EXPECT_EQ(GetCursorPos(), global({30, 40}));
    mouse.Press({25, 15}, Qt::RightButton);
    EXPECT_EQ(GetCursorPos(), global({25, 15}));
    mouse.Release({199, 99}, Qt::RightButton);
    EXPECT_EQ(GetCursorPos(), global({199, 99}));
}
