#pragma once
// Drives an indicator settings dialog while it is open modally, with input delivered as the
// windowing system delivers it: keys and clicks enter through the window that has them (the
// dialog, or an open drop-down list) and go on to the control with the focus or under the
// pointer. Colour dialogs are answered from a script.
#include <deque>
#include <functional>
#include <optional>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QPoint>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <vector>

#include "platform/ColorDialog.h"

namespace testing_support {

inline constexpr int WaitBound = 10000;  // ms

// Runs open (which shows the dialog modally) with drive scheduled inside its modal loop. Should
// drive leave the dialog open, it is closed with -99 so that a test fails instead of hanging.
inline int RunWhileOpen(QDialog& dialog, const std::function<int()>& open,
                        const std::function<void()>& drive)
{
    QTimer::singleShot(0, &dialog, [&] {
        if (QTest::qWaitForWindowExposed(&dialog, WaitBound)) {
            dialog.activateWindow();
            (void)QTest::qWaitForWindowActive(&dialog, WaitBound);
            drive();
        }
        if (dialog.isVisible())
            dialog.done(-99);
    });
    return open();
}

// Gives control the focus, as a click on it would, and waits until it has it.
inline bool Focus(QWidget* control)
{
    control->setFocus(Qt::MouseFocusReason);
    return QTest::qWaitFor([control] { return control->hasFocus(); }, WaitBound);
}

// Keys typed into the window that has the keyboard (the focused control's window).
inline void Type(QWidget* anyControl, const QString& text)
{
    QWindow* window = anyControl->window()->windowHandle();
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(window, c.toLatin1());
        else  // a character typed through an input method: text without a key of its own
            QTest::sendKeyEvent(QTest::Click, window, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

inline void Key(QWidget* anyControl, Qt::Key key)
{
    QTest::keyClick(anyControl->window()->windowHandle(), key);
}

// A left click in the middle of control (or at at, in control's coordinates), through its window.
inline void Click(QWidget* control, std::optional<QPoint> at = std::nullopt)
{
    QWidget* window = control->window();
    const QPoint point = control->mapTo(window, at ? *at : control->rect().center());
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, point);
}

// Opens a combo box's list with a click and answers whether it opened.
inline bool OpenList(QComboBox* box)
{
    Click(box);
    return QTest::qWaitFor([box] { return box->view()->isVisible(); }, WaitBound);
}

// Clicks row of an open combo box list.
inline void ClickRow(QComboBox* box, int row)
{
    QAbstractItemView* view = box->view();
    const QRect item = view->visualRect(view->model()->index(row, 0));
    QWidget* viewport = view->viewport();
    QWidget* popup = viewport->window();
    const QPoint point = viewport->mapTo(popup, item.center());
    QTest::mousePress(popup->windowHandle(), Qt::LeftButton, Qt::NoModifier, point);
    QTest::mouseRelease(popup->windowHandle(), Qt::LeftButton, Qt::NoModifier, point);
}

// Answers colour dialogs from a script (nothing left: cancelled) and keeps their requests.
class ColorDialogScript {
public:
    ColorDialogScript()
    {
        previous_ = platform::SetColorDialogPresenter(
            [this](const platform::ColorDialogRequest& request) -> std::optional<platform::TColor> {
                requests.push_back(request);
                if (answers.empty())
                    return std::nullopt;
                const auto answer = answers.front();
                answers.pop_front();
                return answer;
            });
    }
    ~ColorDialogScript() { platform::SetColorDialogPresenter(previous_); }
    ColorDialogScript(const ColorDialogScript&) = delete;
    ColorDialogScript& operator=(const ColorDialogScript&) = delete;

    std::deque<std::optional<platform::TColor>> answers;
    std::vector<platform::ColorDialogRequest> requests;

private:
    platform::ColorDialogPresenter previous_;
};

}  // namespace testing_support
