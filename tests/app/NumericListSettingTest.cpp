// The numeric list settings dialog over a real numeric list, with the real channel picker opening
// on top of it, driven with key and mouse events.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "app/NumericListSetup.h"
#include "app/SourceList.h"
#include "indicators/NumericList.h"
#include "indicators/Port.h"
#include "tests/app/SettingDialogDriver.h"
#include "tests/support/BoxRecorder.h"
#include "tests/support/WindowSystem.h"

using namespace testing_support;
using platform::TColor;

namespace {

const QString TachoLine = QStringLiteral("Tacho[rpm]");
const QString SpeedLine = QStringLiteral("Speed[km/h]");
const QString BatteryLine = QStringLiteral("Battery[V]");
const QString ThrottleLine = QStringLiteral("Throttle[%]");

class NumericListSetting : public ::testing::Test {
protected:
    void SetUp() override
    {
        FSourceList = &picker;
        host.setGeometry(0, 0, 500, 400);
        list = new TNumericList(&host, SourceIndexQ7);
        list->setGeometry(9, 9, 200, 120);
        list->SetNumStrList(QStringList{TachoLine, SpeedLine, BatteryLine});
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    }
    void TearDown() override { FSourceList = nullptr; }

    int Open(const std::function<void()>& drive)
    {
        return RunWhileOpen(
            dialog, [&] { return dialog.Execute(list, 30, 40); }, drive);
    }

    // The indicator's rows, by channel key.
    std::vector<std::string> Rows() const
    {
        std::vector<std::string> rows;
        for (int i = 0; i < list->NumRectCount; ++i)
            rows.push_back(list->NumRectArray[i].PortInfo.Designator);
        return rows;
    }

    QStringList Lines() const
    {
        QStringList lines;
        for (int i = 0; i < dialog.ListBox->count(); ++i)
            lines << dialog.ListBox->item(i)->text();
        return lines;
    }

    void ClickLine(int line)
    {
        QListWidget* box = dialog.ListBox;
        Click(box->viewport(), box->visualItemRect(box->item(line)).center());
    }

    // Clicks 追加 and, once the picker is open on top, lets act drive it. Should act leave it
    // open, it is closed with -99 so that a test fails instead of hanging.
    void AddThroughPicker(const std::function<void()>& act)
    {
        WhenPickerOpens(act, WaitBound / 10);
        Click(dialog.ButtonAdd);
    }

    // Picks line of the picker with a click and 追加.
    void Add(int line)
    {
        AddThroughPicker([&, line] {
            QListWidget* box = picker.ListBox;
            Click(box->viewport(), box->visualItemRect(box->item(line)).center());
            Click(picker.Button2);
        });
    }

    BoxRecorder boxes;
    ColorDialogScript colors;
    QWidget host;
    TNumericList* list = nullptr;  // owned by host
    TFSourceList picker;
    TFNumericListSetup dialog;
    QRect pickerShownAt;

private:
    void WhenPickerOpens(std::function<void()> act, int triesLeft)
    {
        QTimer::singleShot(10, &picker, [this, act, triesLeft] {
            if (!picker.isVisible()) {
                if (triesLeft > 0)
                    WhenPickerOpens(act, triesLeft - 1);
                return;
            }
            if (QTest::qWaitForWindowExposed(&picker, WaitBound)) {
                picker.activateWindow();
                (void)QTest::qWaitForWindowActive(&picker, WaitBound);
                pickerShownAt = SettledOuterGeometry(picker);
                act();
            }
            if (picker.isVisible())
                picker.done(-99);
        });
    }
};

}  // namespace

TEST_F(NumericListSetting, HasItsCaptionControlsAndAListAnchoredOnAllSides)
{
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("数値リスト設定"));
    EXPECT_EQ(dialog.size(), QSize(267, 271));
    EXPECT_NE(dialog.minimumSize(), dialog.maximumSize());  // resizable
    EXPECT_EQ(dialog.ButtonAdd->text(), QStringLiteral("追加"));
    EXPECT_EQ(dialog.ButtonDel->text(), QStringLiteral("削除"));
    EXPECT_EQ(dialog.ButtonUp->text(), QStringLiteral("↑"));
    EXPECT_EQ(dialog.ButtonDown->text(), QStringLiteral("↓"));
    EXPECT_EQ(dialog.ButtonCansel->geometry(), QRect(83, 8, 75, 25));
    EXPECT_EQ(dialog.ButtonOk->geometry(), QRect(171, 8, 75, 25));
    EXPECT_EQ(dialog.ColorButtons.at(0)->text(), QStringLiteral("リスト文字"));
    EXPECT_EQ(dialog.ColorButtons.at(1)->text(), QStringLiteral("バッググランド"));
    EXPECT_EQ(dialog.UpDownTitleFontSize->Min(), 8);
    EXPECT_EQ(dialog.UpDownTitleFontSize->Max(), 40);
    EXPECT_EQ(dialog.UpDownListFontSize->Min(), 10);
    EXPECT_EQ(dialog.UpDownListFontSize->Max(), 50);
    EXPECT_EQ(dialog.ListBox->size(), QSize(160, 183));

    QSize grown;
    int heightBefore = 0, heightOnOptions = 0;
    Open([&] {
        heightBefore = SettledOuterGeometry(dialog).height();
        Click(dialog.PageControl->tabBar(), dialog.PageControl->tabBar()->tabRect(1).center());
        heightOnOptions = SettledOuterGeometry(dialog).height();
        dialog.resize(dialog.width() + 40, dialog.height() + 30);
        grown = dialog.ListBox->size();
        Key(&dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(heightOnOptions, heightBefore);  // its tabs leave the height as it is
    EXPECT_EQ(grown, QSize(200, 213));
}

TEST_F(NumericListSetting, RowEditsReachTheListOnlyWhenConfirmedAndEscLeavesItsRowsAsTheyWere)
{
    QStringList atOpen, edited;
    std::vector<std::string> rowsWhileOpen;
    const int cancelled = Open([&] {
        atOpen = Lines();
        Add(0);  // Throttle, appended
        ClickLine(0);
        Click(dialog.ButtonDown);  // Tacho below Speed
        ClickLine(2);
        Click(dialog.ButtonDel);  // BatteryLine goes; ThrottleLine moves into its place
        Click(dialog.ButtonUp);   // ThrottleLine above Tacho
        edited = Lines();
        rowsWhileOpen = Rows();
        Key(&dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(cancelled, -1);
    EXPECT_EQ(atOpen, (QStringList{TachoLine, SpeedLine, BatteryLine}));
    EXPECT_EQ(edited, (QStringList{SpeedLine, ThrottleLine, TachoLine}));
    const std::vector<std::string> original{"TACHO", "SPEED", "BATTERY"};
    EXPECT_EQ(rowsWhileOpen, original);
    EXPECT_EQ(Rows(), original);

    // The same edits confirmed with Enter: the rows in the list's order.
    const int confirmed = Open([&] {
        Add(0);
        ClickLine(0);
        Click(dialog.ButtonDown);
        ClickLine(2);
        Click(dialog.ButtonDel);
        Click(dialog.ButtonUp);
        Key(&dialog, Qt::Key_Return);
    });
    EXPECT_EQ(confirmed, 1);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"SPEED", "THROT", "TACHO"}));

    // And with 了解, after the Cancel button left them alone once more.
    EXPECT_EQ(Open([&] {
                  ClickLine(0);
                  Click(dialog.ButtonDel);
                  Click(dialog.ButtonCansel);
              }),
              -1);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"SPEED", "THROT", "TACHO"}));
    EXPECT_EQ(Open([&] {
                  ClickLine(0);
                  Click(dialog.ButtonDel);
                  Click(dialog.ButtonOk);
              }),
              1);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"THROT", "TACHO"}));
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(NumericListSetting, ThePickerAddsAChannelOnceByDescriptionAndACancelledPickerAddsNothing)
{
    QStringList afterDuplicate, afterCancels, afterAdd;
    int selectedAfterAdd = -2;
    Open([&] {
        Add(6);  // SpeedLine: listed already
        afterDuplicate = Lines();
        AddThroughPicker([&] { Click(picker.Button1); });
        AddThroughPicker([&] { Key(&picker, Qt::Key_Escape); });
        AddThroughPicker([&] { picker.close(); });  // the title bar's close box
        afterCancels = Lines();
        ClickLine(1);
        AddThroughPicker([&] {
            ASSERT_TRUE(Focus(picker.ListBox));
            Key(&picker, Qt::Key_Down);
            Key(&picker, Qt::Key_Return);  // Coolant temp
        });
        afterAdd = Lines();
        selectedAfterAdd = dialog.ItemIndex();
        Key(&dialog, Qt::Key_Return);
    });
    EXPECT_EQ(afterDuplicate, (QStringList{TachoLine, SpeedLine, BatteryLine}));
    EXPECT_EQ(afterCancels, (QStringList{TachoLine, SpeedLine, BatteryLine}));
    EXPECT_EQ(afterAdd,
              (QStringList{TachoLine, SpeedLine, BatteryLine, QStringLiteral("Coolant temp[ﾟc]")}));
    EXPECT_EQ(selectedAfterAdd, 1);  // adding leaves the selection where it was
    EXPECT_EQ(Rows(), (std::vector<std::string>{"TACHO", "SPEED", "BATTERY", "COOLANT"}));
    EXPECT_EQ(list->NumRectArray[3].PortInfo.Address, &CoolantTemp);
}

TEST_F(NumericListSetting, ThePickerOpensBesideTheDialogAndHandsItsHookBack)
{
    QRect dialogAt;
    bool dialogOpenAfterPickerEsc = false;
    const int result = Open([&] {
        dialogAt = SettledOuterGeometry(dialog);
        AddThroughPicker([&] { Key(&picker, Qt::Key_Escape); });
        // The picker's Esc was its own; the dialog's Esc works again once it has closed.
        dialogOpenAfterPickerEsc = dialog.isVisible();
        ClickLine(0);
        Click(dialog.ButtonDel);
        Key(&dialog, Qt::Key_Escape);
    });
    EXPECT_TRUE(dialogOpenAfterPickerEsc);
    EXPECT_EQ(result, -1);
    EXPECT_EQ(pickerShownAt.left(), dialogAt.right() + 1);
    EXPECT_EQ(pickerShownAt.top(), dialogAt.top());
    EXPECT_EQ(Rows(), (std::vector<std::string>{"TACHO", "SPEED", "BATTERY"}));
}

TEST_F(NumericListSetting, UpDownAndDeleteAtTheEndsOfTheList)
{
    QStringList afterNoSelection, afterUpOnFirst, afterDownOnLast;
    int selectedAfterLastDeleted = -2, selectedAfterOnlyDeleted = -2;
    Open([&] {
        Click(dialog.ButtonDown);  // nothing selected
        Click(dialog.ButtonUp);
        Click(dialog.ButtonDel);
        afterNoSelection = Lines();
        ClickLine(0);
        Click(dialog.ButtonUp);
        afterUpOnFirst = Lines();
        ClickLine(2);
        Click(dialog.ButtonDown);
        afterDownOnLast = Lines();
        Click(dialog.ButtonDel);
        selectedAfterLastDeleted = dialog.ItemIndex();
        Click(dialog.ButtonDel);
        Click(dialog.ButtonDel);
        selectedAfterOnlyDeleted = dialog.ItemIndex();
        Click(dialog.ButtonOk);
    });
    const QStringList original{TachoLine, SpeedLine, BatteryLine};
    EXPECT_EQ(afterNoSelection, original);
    EXPECT_EQ(afterUpOnFirst, original);
    EXPECT_EQ(afterDownOnLast, original);
    EXPECT_EQ(selectedAfterLastDeleted, 1);
    EXPECT_EQ(selectedAfterOnlyDeleted, -1);
    // Confirming an empty list leaves the indicator without rows.
    EXPECT_EQ(list->NumRectCount, 0);
}

TEST_F(NumericListSetting, ARowWithoutAChannelShowsEmptyAndStaysARowWithoutAChannel)
{
    list->LoadProperty("NumericName={\"TACHO\",\"GONE\",\"SPEED\"}\n");
    ASSERT_EQ(list->NumRectCount, 3);
    QStringList shown;
    Open([&] {
        shown = Lines();
        Key(&dialog, Qt::Key_Return);
    });
    EXPECT_EQ(shown, (QStringList{TachoLine, QString(), SpeedLine}));
    EXPECT_EQ(Rows(), (std::vector<std::string>{"TACHO", "", "SPEED"}));
    EXPECT_EQ(list->NumRectArray[1].PortInfo.Address, nullptr);
}

TEST_F(NumericListSetting, FontSizesAndColoursAreLiveAndCancelWritesThemBack)
{
    list->SetHeightTitle(14);
    list->SetHeightList(20);
    list->SetTitle(QStringLiteral("一覧"));
    colors.answers = {TColor(0x0000FF), TColor(0x00FFFF)};
    bool live = false;
    QColor swatchAfterCancel;
    const int result = Open([&] {
        EXPECT_EQ(dialog.UpDownTitleFontSize->Associate()->text(), QStringLiteral("14"));
        EXPECT_EQ(dialog.UpDownListFontSize->Associate()->text(), QStringLiteral("20"));
        Click(dialog.PageControl->tabBar(), dialog.PageControl->tabBar()->tabRect(1).center());
        Click(dialog.UpDownTitleFontSize->ButtonUp());
        QLineEdit* listSize = dialog.UpDownListFontSize->Associate();
        ASSERT_TRUE(Focus(listSize));
        listSize->selectAll();
        Type(listSize, QStringLiteral("64"));  // beyond the up-down's range, applied as typed
        Click(dialog.ColorButtons.at(0));
        Click(dialog.ColorButtons.at(1));
        live = list->HeightTitle() == 15 && list->HeightList() == 64 &&
               list->ColorList() == TColor(0x0000FF) && list->ColorBack() == TColor(0x00FFFF);
        Click(dialog.ButtonCansel);
    });
    swatchAfterCancel = dialog.ColorPanels.at(0)->palette().color(QPalette::Window);
    EXPECT_TRUE(live);
    EXPECT_EQ(result, -1);
    EXPECT_EQ(list->HeightTitle(), 14);
    EXPECT_EQ(list->HeightList(), 20);
    EXPECT_EQ(list->ColorList(), TColor(0xFF0000));
    EXPECT_EQ(list->ColorBack(), TColor(0xF0F0F0));
    EXPECT_EQ(list->Title(), QStringLiteral("一覧"));
    // The swatch keeps the colour chosen until the dialog opens again.
    EXPECT_EQ(swatchAfterCancel, QColor(255, 0, 0));

    // Custom colours: A the list colour, B the background, I the fixed grey.
    const QStringList& lines = dialog.ColorDialog.CustomColors;
    ASSERT_EQ(lines.size(), 16);
    EXPECT_EQ(lines[0], QStringLiteral("ColorA=FF0000"));
    EXPECT_EQ(lines[1], QStringLiteral("ColorB=F0F0F0"));
    EXPECT_EQ(lines[2], QStringLiteral("ColorC=000000"));
    EXPECT_EQ(lines[8], QStringLiteral("ColorI=D2D2C8"));
    EXPECT_EQ(lines[15], QStringLiteral("ColorP=000000"));
}

TEST_F(NumericListSetting, AFontSizeThatIsNoNumberIsReportedAndTheListKeepsItsHeight)
{
    list->SetHeightList(18);
    Open([&] {
        Click(dialog.PageControl->tabBar(), dialog.PageControl->tabBar()->tabRect(1).center());
        QLineEdit* listSize = dialog.UpDownListFontSize->Associate();
        ASSERT_TRUE(Focus(listSize));
        listSize->selectAll();
        Key(&dialog, Qt::Key_Delete);
        EXPECT_TRUE(dialog.isVisible());
        Key(&dialog, Qt::Key_Return);
    });
    EXPECT_EQ(boxes.Texts(), (std::vector<QString>{QStringLiteral("'''' は整数ではありません")}));
    EXPECT_EQ(list->HeightList(), 18);
}

TEST_F(NumericListSetting, TheTitleBarsCloseKeepsTheLiveChangesButAppliesNoRowEdits)
{
    list->SetHeightTitle(12);
    const int result = Open([&] {
        ClickLine(0);
        Click(dialog.ButtonDel);
        Click(dialog.PageControl->tabBar(), dialog.PageControl->tabBar()->tabRect(1).center());
        Click(dialog.UpDownTitleFontSize->ButtonUp());
        dialog.close();
    });
    EXPECT_EQ(result, TIndicatorSettingDialog::mrCancel);
    EXPECT_EQ(list->HeightTitle(), 13);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"TACHO", "SPEED", "BATTERY"}));
    EXPECT_EQ(dialog.Indicator, nullptr);
}
