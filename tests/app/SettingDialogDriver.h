#pragma once
// Drives an indicator settings dialog while it is open modally, with input delivered as the
// windowing system delivers it: keys and clicks enter through the window that has them (the
// dialog, or an open drop-down list) and go on to the control with the focus or under the
// pointer. Colour dialogs are answered from a script.
#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QPoint>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <deque>
#include <functional>
#include <optional>
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

#include <QAbstractButton>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <gtest/gtest.h>
#include <initializer_list>

namespace testing_support {

// Every caption of the page's labels, buttons and group boxes fits its control, and no two
// controls side by side overlap or reach out of their parent: nothing of the text is hidden.
inline void ExpectReadableLayout(QWidget* page)
{
    const QList<QWidget*> controls = page->findChildren<QWidget*>();
    for (QWidget* control : controls) {
        const std::string name = control->objectName().toStdString() + " " +
                                 control->metaObject()->className();
        if (auto* label = qobject_cast<QLabel*>(control)) {
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()),
                      label->contentsRect().width())
                << label->text().toStdString();
            EXPECT_GE(label->height(), label->fontMetrics().height()) << label->text().toStdString();
        } else if (auto* button = qobject_cast<QAbstractButton*>(control); button &&
                   !button->text().isEmpty()) {
            EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()) + 8, button->width())
                << button->text().toStdString();
        }
        QWidget* parent = control->parentWidget();
        if (!parent || control->isWindow() || !control->isVisibleTo(page))
            continue;
        EXPECT_TRUE(parent->rect().contains(control->geometry()))
            << name << " reaches out of " << parent->objectName().toStdString();
    }
    // Siblings: labels, entries, buttons and lists do not overlap.
    for (QWidget* a : controls) {
        for (QWidget* b : controls) {
            if (a >= b || a->parentWidget() != b->parentWidget() || a->isWindow() ||
                b->isWindow() || !a->isVisibleTo(page) || !b->isVisibleTo(page) ||
                a->parentWidget() == nullptr || a->parentWidget()->inherits("QComboBox") ||
                a->parentWidget()->inherits("QLineEdit") || a->parentWidget()->inherits("TUpDown"))
                continue;
            EXPECT_FALSE(a->geometry().intersects(b->geometry()))
                << a->objectName().toStdString() << " " << a->metaObject()->className() << " / "
                << b->objectName().toStdString() << " " << b->metaObject()->className();
        }
    }
}

// A picture of the screen with these windows where they stand, first at the back, as PNG in the
// tests' "screenshots" folder; answers the file's name.
inline QString SaveScreenPicture(const QString& name, std::initializer_list<QWidget*> windows)
{
    QRect area;
    for (QWidget* window : windows)
        area |= window->frameGeometry();
    QImage picture(area.size(), QImage::Format_RGB32);
    picture.fill(QColor(0, 96, 128));
    QPainter painter(&picture);
    for (QWidget* window : windows)
        painter.drawPixmap(window->geometry().topLeft() - area.topLeft(), window->grab());
    painter.end();
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots");
    QDir().mkpath(folder);
    const QString file = folder + QLatin1Char('/') + name + QStringLiteral(".png");
    picture.save(file);
    return file;
}

}  // namespace testing_support
