#pragma once
// Drives the indicator settings dialogs while they are open modally, with input delivered as the
// windowing system delivers it: keys and clicks enter through the window that has them (the
// dialog, or an open drop-down list) and go on to the control with the focus or under the
// pointer. Colour dialogs are answered from a script. DialogBench puts one dialog over an
// indicator of its kind in a window of its own.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <vector>

#include "indicators/Port.h"
#include "platform/ColorDialog.h"
#include "tests/support/BoxRecorder.h"
#include "tests/support/ComboChoice.h"

namespace testing_support {

inline constexpr int WaitBound = 10000;  // ms
// Rows of the channel table: no decimals, two, one.
inline constexpr int TachoRow = 5;
inline constexpr int SpeedRow = 6;
inline constexpr int BatteryRow = 11;

// Runs act on window once it is shown and active, without blocking whatever opens it. Should act
// leave it open, it is closed with -99 so that a test fails instead of hanging.
inline void WhenShown(QDialog& window, std::function<void()> act, int triesLeft = WaitBound / 10)
{
    QTimer::singleShot(10, &window, [&window, act, triesLeft] {
        if (!window.isVisible()) {
            if (triesLeft > 0)
                WhenShown(window, act, triesLeft - 1);
            return;
        }
        if (QTest::qWaitForWindowExposed(&window, WaitBound)) {
            window.activateWindow();
            (void)QTest::qWaitForWindowActive(&window, WaitBound);
            act();
        }
        if (window.isVisible())
            window.done(-99);
    });
}

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

// Clicks line of a list box, or double-clicks it.
inline void ClickLine(QListWidget* list, int line, bool twice = false)
{
    const QPoint at = list->visualItemRect(list->item(line)).center();
    if (!twice)
        return Click(list->viewport(), at);
    QWidget* window = list->window();
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                       list->viewport()->mapTo(window, at));
}

inline void Retype(QLineEdit* entry, const QString& text)
{
    ASSERT_TRUE(Focus(entry));
    entry->selectAll();
    Type(entry, text);
}

inline void ShowTab(QTabWidget* pages, int index)
{
    Click(pages->tabBar(), pages->tabBar()->tabRect(index).center());
}

// Answers colour dialogs from a script (nothing left: cancelled) and keeps their requests.
struct ColorDialogScript {
    ColorDialogScript()
        : previous(platform::SetColorDialogPresenter([this](const platform::ColorDialogRequest& r) {
              requests.push_back(r);
              const std::optional<platform::TColor> answer =
                  answers.empty() ? std::nullopt : answers.front();
              if (!answers.empty())
                  answers.pop_front();
              return answer;
          }))
    {}
    ~ColorDialogScript() { platform::SetColorDialogPresenter(previous); }

    std::deque<std::optional<platform::TColor>> answers;
    std::vector<platform::ColorDialogRequest> requests;
    platform::ColorDialogPresenter previous;
};

// A settings dialog over an indicator of its kind, in a shown window.
template <class TDialog>
struct DialogBench {
    using TKind = typename TDialog::TIndicatorClass;

    explicit DialogBench(QSize indicatorSize = {200, 120})
    {
        host.setGeometry(20, 30, 500, 400);
        indicator = new TKind(&host, SourceIndexQ7);
        indicator->setGeometry(QRect(QPoint(9, 9), indicatorSize));
        host.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&host));
        // A window manager focuses the host when it gets round to it: a dialog opened before
        // that would lose the keyboard to it.
        EXPECT_TRUE(QTest::qWaitForWindowActive(&host));
    }

    // Opens the dialog beside the indicator's screen corner (or at, on the screen).
    int Open(const std::function<void()>& drive, std::optional<QPoint> at = std::nullopt)
    {
        const QPoint corner = at ? *at : indicator->mapToGlobal(QPoint());
        WhenShown(dialog, drive);
        return dialog.Execute(indicator, corner.x(), corner.y());
    }

    // The indicator's property lines but its place and size (a repaint may grow it).
    QStringList Lines() const
    {
        QStringList lines;
        indicator->SaveProperty(lines, "");
        return lines.filter(QRegularExpression(QStringLiteral("^(?!Left=|Top=|Width=|Height=)")));
    }

    BoxRecorder boxes;
    ColorDialogScript colors;
    QWidget host;
    TKind* indicator = nullptr;  // owned by host
    TDialog dialog;
};

}  // namespace testing_support
