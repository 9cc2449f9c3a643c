#include "tests/support/MouseDriver.h"

#include <QTest>
#include <QWidget>

namespace testing_support {

MouseDriver::MouseDriver(QWidget& window) : window_(window)
{
    window_.show();
    (void)QTest::qWaitForWindowExposed(&window_);
}

void MouseDriver::Move(QPoint at)
{
    pointer_ = at;
    QTest::mouseMove(window_.windowHandle(), at);
}

void MouseDriver::Press(QPoint at, Qt::MouseButton button)
{
    pointer_ = at;
    QTest::mousePress(window_.windowHandle(), button, Qt::NoModifier, at);
}

void MouseDriver::Release(QPoint at, Qt::MouseButton button)
{
    pointer_ = at;
    QTest::mouseRelease(window_.windowHandle(), button, Qt::NoModifier, at);
}

}  // namespace testing_support
