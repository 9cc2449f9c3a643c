// The channel picker, driven with key and mouse events while it is open, beside a caller window.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "app/SourceList.h"
#include "indicators/Port.h"
#include "tests/app/SettingDialogDriver.h"
#include "tests/support/WindowSystem.h"

using namespace testing_support;

namespace {

class SourceList : public ::testing::Test {
protected:
    void SetUp() override
    {
        caller.setGeometry(40, 50, 267, 271);
        caller.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&caller));
    }

    int Open(const std::function<void()>& drive, TPLUT table = SourceIndexQ7)
    {
        return RunWhileOpen(
            picker, [&] { return picker.Execute(table, &caller); }, drive);
    }

    void ClickLine(int line, bool twice = false)
    {
        QListWidget* list = picker.ListBox;
        const QPoint at = list->visualItemRect(list->item(line)).center();
        if (!twice) {
            Click(list->viewport(), at);
            return;
        }
        const QPoint inWindow = list->viewport()->mapTo(&picker, at);
        QTest::mouseDClick(picker.windowHandle(), Qt::LeftButton, Qt::NoModifier, inWindow);
    }

    QWidget caller;
    TFSourceList picker;
};

}  // namespace

TEST_F(SourceList, ListsTheTablesDescriptionsInOrderWithItsControls)
{
    EXPECT_EQ(picker.windowTitle(), QStringLiteral("ソースセレクト"));
    EXPECT_EQ(picker.size(), QSize(259, 255));
    EXPECT_EQ(picker.minimumSize(), picker.maximumSize());
    EXPECT_EQ(picker.Button2->text(), QStringLiteral("追加"));
    EXPECT_EQ(picker.Button1->text(), QStringLiteral("キャンセル"));
    EXPECT_EQ(picker.ListBox->geometry(), QRect(8, 40, 160, 207));
    EXPECT_TRUE(picker.Edit->isReadOnly());
    EXPECT_EQ(picker.Edit->focusPolicy(), Qt::NoFocus);

    QStringList shown;
    Open([&] {
        for (int line = 0; line < picker.ListBox->count(); ++line)
            shown << picker.ListBox->item(line)->text();
        Key(&picker, Qt::Key_Return);
    });
    ASSERT_EQ(shown.size(), 12);
    EXPECT_EQ(shown.front(), QStringLiteral("Throttle[%]"));
    EXPECT_EQ(shown[1], QStringLiteral("Coolant temp[ﾟc]"));
    EXPECT_EQ(shown.back(), QStringLiteral("Battery[V]"));
}

TEST_F(SourceList, OpensWithTheFirstLineSelectedEveryTimeAndTheEditFollowsTheSelection)
{
    int openedWith = -2;
    QString editAtOpen, editAfterClick, editAfterKey;
    EXPECT_EQ(Open([&] {
                  openedWith = picker.ItemIndex();
                  editAtOpen = picker.Edit->text();
                  ClickLine(3);
                  editAfterClick = picker.Edit->text();
                  ASSERT_TRUE(Focus(picker.ListBox));
                  Key(&picker, Qt::Key_Down);  // released: the edit follows
                  editAfterKey = picker.Edit->text();
                  Click(picker.Button2);
              }),
              1);
    EXPECT_EQ(openedWith, 0);
    EXPECT_EQ(editAtOpen, QStringLiteral("Throttle[%]"));
    EXPECT_EQ(editAfterClick, QStringLiteral("Oil press[kPa]"));
    EXPECT_EQ(editAfterKey, QStringLiteral("Fuel press[kPa]"));
    // 追加 keeps the selection: that is the choice.
    EXPECT_EQ(picker.ItemIndex(), 4);
    EXPECT_EQ(picker.SelectedText(), QStringLiteral("Fuel press[kPa]"));

    Open([&] {
        openedWith = picker.ItemIndex();
        editAtOpen = picker.Edit->text();
        Key(&picker, Qt::Key_Escape);
    });
    EXPECT_EQ(openedWith, 0);
    EXPECT_EQ(editAtOpen, QStringLiteral("Throttle[%]"));
}

TEST_F(SourceList, EnterAndADoubleClickChooseEscCancelAndTheTitleBarCloseLeaveNoLineSelected)
{
    EXPECT_EQ(Open([&] {
                  ClickLine(6);
                  Key(&picker, Qt::Key_Return);
              }),
              1);
    EXPECT_EQ(picker.SelectedText(), QStringLiteral("Speed[km/h]"));

    EXPECT_EQ(Open([&] { ClickLine(11, true); }), 1);
    EXPECT_EQ(picker.ItemIndex(), 11);
    EXPECT_EQ(picker.Edit->text(), QStringLiteral("Battery[V]"));

    EXPECT_EQ(Open([&] {
                  ClickLine(2);
                  Key(&picker, Qt::Key_Escape);
              }),
              -1);
    EXPECT_EQ(picker.ItemIndex(), -1);

    EXPECT_EQ(Open([&] {
                  ClickLine(2);
                  Click(picker.Button1);
              }),
              -1);
    EXPECT_EQ(picker.ItemIndex(), -1);

    // Enter with the focus on キャンセル is that button's click.
    EXPECT_EQ(Open([&] {
                  ASSERT_TRUE(Focus(picker.Button1));
                  Key(&picker, Qt::Key_Return);
              }),
              -1);
    EXPECT_EQ(picker.ItemIndex(), -1);

    // Closing from the title bar counts as a cancel, so the caller adds nothing.
    EXPECT_EQ(Open([&] {
                  ClickLine(5);
                  picker.close();
              }),
              -1);
    EXPECT_EQ(picker.ItemIndex(), -1);
}

TEST_F(SourceList, AnEmptyTableGivesAnEmptyListAndNoChoiceWhicheverWayItCloses)
{
    const TPortInfo empty[1];
    EXPECT_EQ(Open([&] { Key(&picker, Qt::Key_Return); }, empty), 1);
    EXPECT_EQ(picker.ListBox->count(), 0);
    EXPECT_EQ(picker.ItemIndex(), -1);
    EXPECT_EQ(Open([&] { Click(picker.Button2); }, empty), 1);
    EXPECT_EQ(picker.ItemIndex(), -1);
}

TEST_F(SourceList, OpensRightOfTheCallerElseLeftOfItAndMovesUpIntoTheWorkArea)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int right = screen->virtualGeometry().right() + 1;
    const int bottom = screen->availableGeometry().bottom() + 1;
    QRect shown;
    auto look = [&] {
        shown = SettledOuterGeometry(picker);
        Key(&picker, Qt::Key_Escape);
    };

    Open(look);
    EXPECT_EQ(shown.left(), SettledOuterGeometry(caller).right() + 1);
    EXPECT_EQ(shown.top(), SettledOuterGeometry(caller).top());

    // Less than the picker's width left to the desktop's right edge: on the caller's left.
    caller.move(right - SettledOuterGeometry(caller).width() - 100, 60);
    ASSERT_TRUE(QTest::qWaitFor([&] { return SettledOuterGeometry(caller).top() == 60; }));
    Open(look);
    EXPECT_EQ(shown.right() + 1, SettledOuterGeometry(caller).left());
    EXPECT_EQ(shown.top(), 60);

    // Low on the screen: the picker's bottom on the work area's bottom.
    caller.move(40, bottom - 100);
    ASSERT_TRUE(QTest::qWaitFor([&] { return SettledOuterGeometry(caller).left() == 40; }));
    Open(look);
    EXPECT_EQ(shown.bottom() + 1, bottom);
    EXPECT_EQ(shown.left(), SettledOuterGeometry(caller).right() + 1);
}

TEST_F(SourceList, PutsTheHookInForceBackWhenItCloses)
{
    int outerKeys = 0;
    const platform::MessageHook before =
        platform::SetApplicationMessageHook([&](platform::TMessage& message, bool&) {
            outerKeys += message.Kind == platform::MessageKind::KeyDown;
        });
    EXPECT_EQ(Open([&] {
                  ASSERT_TRUE(Focus(picker.ListBox));
                  Key(&picker, Qt::Key_Down);
                  Key(&picker, Qt::Key_Return);
              }),
              1);
    EXPECT_EQ(outerKeys, 0);
    EXPECT_EQ(picker.ItemIndex(), 1);
    QWidget elsewhere;
    QTest::keyClick(&elsewhere, Qt::Key_F2);
    EXPECT_EQ(outerKeys, 1);
    platform::SetApplicationMessageHook(before);
}
