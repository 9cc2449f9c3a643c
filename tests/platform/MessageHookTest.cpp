#include <gtest/gtest.h>
#include <QApplication>
#include <QTest>
#include <QWidget>
#include <vector>

#include "platform/MessageHook.h"
#include "tests/support/KeyProbe.h"

using namespace platform;
using testing_support::KeyProbe;

namespace {

// A shown window with a focused edit inside a nested container.
struct Window {
    QWidget top;
    QWidget* box = new QWidget(&top);
    KeyProbe* edit = new KeyProbe(box);

    Window()
    {
        top.resize(200, 100);
        top.show();
        QApplication::setActiveWindow(&top);
        edit->setFocus();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&top));
    }
};

// Installs a hook for one test and puts back whatever was there.
struct HookScope {
    MessageHook saved;
    explicit HookScope(MessageHook hook) : saved(SetApplicationMessageHook(std::move(hook))) {}
    ~HookScope() { SetApplicationMessageHook(std::move(saved)); }
};

}  // namespace

TEST(MessageHook, SeesEachKeyOnceWhereverItIsDelivered)
{
    Window window;
    std::vector<int> seen;
    HookScope scope([&](TMessage& message, bool&) {
        if (message.Kind == MessageKind::KeyDown)
            seen.push_back(message.Key);
    });
    // Through the window, as the platform delivers keys; Escape goes on from the edit, which
    // ignores it, to its parents.
    QTest::keyClick(window.top.windowHandle(), Qt::Key_Escape);
    // Straight to the control.
    QTest::keyClick(window.edit, Qt::Key_A);
    EXPECT_EQ(seen, (std::vector<int>{Qt::Key_Escape, Qt::Key_A}));
    EXPECT_EQ(window.edit->keys, (std::vector<int>{Qt::Key_Escape, Qt::Key_A}));
}

TEST(MessageHook, RepeatedKeyDownsAreEachAMessage)
{
    Window window;
    int f2 = 0;
    HookScope scope([&](TMessage& message, bool&) {
        if (message.Kind == MessageKind::KeyDown && message.Key == Qt::Key_F2)
            ++f2;
    });
    QTest::keyPress(window.top.windowHandle(), Qt::Key_F2);
    QTest::keyPress(window.top.windowHandle(), Qt::Key_F2);
    QTest::keyRelease(window.top.windowHandle(), Qt::Key_F2);
    QTest::keyPress(window.edit, Qt::Key_F2);
    QTest::keyPress(window.edit, Qt::Key_F2);
    EXPECT_EQ(f2, 4);
}

TEST(MessageHook, AKeyTakenByTheHookDoesNotReachTheControl)
{
    Window window;
    HookScope scope([&](TMessage& message, bool& handled) {
        if (message.Kind == MessageKind::KeyDown && message.Key == Qt::Key_B)
            message.Key = 0;
        if (message.Kind == MessageKind::KeyDown && message.Key == Qt::Key_C)
            handled = true;
    });
    QTest::keyClick(window.top.windowHandle(), Qt::Key_A);
    QTest::keyClick(window.top.windowHandle(), Qt::Key_B);
    QTest::keyClick(window.edit, Qt::Key_C);
    QTest::keyClick(window.edit, Qt::Key_D);
    EXPECT_EQ(window.edit->keys, (std::vector<int>{Qt::Key_A, Qt::Key_D}));
}

TEST(MessageHook, CarriesTheShiftStateOfEachMessage)
{
    Window window;
    std::vector<bool> shift;
    HookScope scope([&](TMessage& message, bool&) {
        if (message.Kind == MessageKind::MouseDown || message.Kind == MessageKind::KeyDown)
            shift.push_back(message.ShiftDown());
    });
    QTest::mouseClick(window.edit, Qt::RightButton, Qt::ShiftModifier, QPoint(3, 3));
    QTest::keyClick(window.top.windowHandle(), Qt::Key_X);
    QTest::keyClick(window.top.windowHandle(), Qt::Key_X, Qt::ShiftModifier);
    // The Shift key's own key-down already counts as Shift down.
    EXPECT_EQ(shift, (std::vector<bool>{true, false, true, true}));
}

TEST(MessageHook, HooksNestAndPutTheSavedOneBack)
{
    Window window;
    std::vector<char> calls;
    HookScope outer([&](TMessage& message, bool&) {
        if (message.Kind == MessageKind::KeyDown)
            calls.push_back('o');
    });
    // A dialog saves the hook in force and installs its own; on Escape it puts the saved one
    // back from inside its own handler.
    MessageHook saved;
    saved = SetApplicationMessageHook([&](TMessage& message, bool&) {
        if (message.Kind != MessageKind::KeyDown)
            return;
        calls.push_back('d');
        if (message.Key == Qt::Key_Escape)
            SetApplicationMessageHook(saved);
    });
    QTest::keyClick(window.top.windowHandle(), Qt::Key_A);
    QTest::keyClick(window.top.windowHandle(), Qt::Key_Escape);
    QTest::keyClick(window.top.windowHandle(), Qt::Key_A);
    EXPECT_EQ(calls, (std::vector<char>{'d', 'd', 'o'}));
    EXPECT_TRUE(ApplicationMessageHook());
}
