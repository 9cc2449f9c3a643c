#pragma once
// Drives a shown top-level widget with real mouse input, as the windowing system would deliver
// it: events enter through the window, go to the widget under the pointer (or to the one that
// holds the press) and carry their global position. Points are in the window's coordinates.
#include <QPoint>
#include <QTest>
#include <QWidget>

namespace testing_support {

class MouseDriver {
public:
    // Shows the window and waits until it is exposed.
    explicit MouseDriver(QWidget& window) : window_(window)
    {
        window_.show();
        (void)QTest::qWaitForWindowExposed(&window_);
    }

    void Move(QPoint at) { QTest::mouseMove(window_.windowHandle(), pointer_ = at); }
    void Press(QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(window_.windowHandle(), button, Qt::NoModifier, pointer_ = at);
    }
    void Release(QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseRelease(window_.windowHandle(), button, Qt::NoModifier, pointer_ = at);
    }

    QPoint Pointer() const { return pointer_; }

private:
    QWidget& window_;
    QPoint pointer_;
};

}  // namespace testing_support
