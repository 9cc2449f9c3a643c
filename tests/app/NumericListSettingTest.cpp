// The numeric list's settings dialog with the real channel picker opening on top of it, and the
// picker on its own, driven with real keys and clicks.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QToolButton>

#include "app/NumericListSetup.h"
#include "app/SourceList.h"
#include "indicators/NumericList.h"
#include "tests/app/SettingDialogDriver.h"
#include "tests/support/WindowSystem.h"

using namespace testing_support;

namespace {

const QString TachoLine = QStringLiteral("Tacho[rpm]");
const QString SpeedLine = QStringLiteral("Speed[km/h]");
const QString BatteryLine = QStringLiteral("Battery[V]");
const QString ThrottleLine = QStringLiteral("Throttle[%]");

QStringList LinesOf(const QListWidget* list)
{
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

class NumericListSetting : public ::testing::Test, public DialogBench<TFNumericListSetup> {
protected:
    void SetUp() override
    {
        FSourceList = &picker;
        indicator->SetNumStrList(QStringList{TachoLine, SpeedLine, BatteryLine});
    }
    void TearDown() override { FSourceList = nullptr; }

    std::vector<std::string> Rows() const
    {
        std::vector<std::string> rows;
        for (int i = 0; i < indicator->NumRectCount; ++i)
            rows.push_back(indicator->NumRectArray[i].PortInfo.Designator);
        return rows;
    }

    // Clicks 追加 and lets act drive the picker once it is open on top.
    void AddThroughPicker(const std::function<void()>& act)
    {
        WhenShown(picker, [&, act] {
            pickerShownAt = SettledOuterGeometry(picker);
            act();
        });
        Click(dialog.ButtonAdd);
    }
    void Add(int line)
    {
        AddThroughPicker([&, line] {
            ClickLine(picker.ListBox, line);
            Click(picker.Button2);
        });
    }
    void Edit()  // Throttle added, Tacho moved down, Battery deleted, Throttle moved up
    {
        ShowTab(dialog.PageControl, 0);
        Add(0);
        ClickLine(dialog.ListBox, 0);
        Click(dialog.ButtonDown);
        ClickLine(dialog.ListBox, 2);
        Click(dialog.ButtonDel);
        Click(dialog.ButtonUp);
    }

    TFSourceList picker;
    QRect pickerShownAt;
};

}  // namespace

TEST_F(NumericListSetting, RowEditsReachTheListOnlyOnOkAndLiveEditsAreUndoneByEscAndCancel)
{
    const std::vector<std::string> original{"TACHO", "SPEED", "BATTERY"};
    const std::vector<std::string> edited{"SPEED", "THROT", "TACHO"};
    const struct {
        Gesture way;
        int result;
        bool rows, live;
    } cases[] = {
        {{"Esc", nullptr, Qt::Key_Escape, nullptr, false}, -1, false, false},
        {{"Cancel", nullptr, 0, dialog.ButtonCansel, false}, -1, false, false},
        {{"title bar", nullptr, 0, nullptr, true}, TIndicatorSettingDialog::mrCancel, false, true},
        {{"Enter", nullptr, Qt::Key_Return, nullptr, false}, 1, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.way.name);
        indicator->SetNumStrList(QStringList{TachoLine, SpeedLine, BatteryLine});
        indicator->SetTitle(QStringLiteral("一覧"));
        indicator->SetHeightList(20);
        QStringList lines;
        std::vector<std::string> rowsWhileOpen;
        EXPECT_EQ(Open([&] {
                      ShowTab(dialog.PageControl, 1);
                      Retype(dialog.UpDownListFontSize->Associate(), QStringLiteral("64"));
                      indicator->SetTitle(QStringLiteral("x"));  // kept, no control
                      Edit();
                      lines = LinesOf(dialog.ListBox);
                      rowsWhileOpen = Rows();
                      Perform(dialog, c.way);
                  }),
                  c.result);
        EXPECT_EQ(lines, (QStringList{SpeedLine, ThrottleLine, TachoLine}));
        EXPECT_EQ(rowsWhileOpen, original);
        EXPECT_EQ(Rows(), c.rows ? edited : original);
        EXPECT_EQ(indicator->HeightList(), c.live ? 64 : 20);  // beyond its up-down's range
        EXPECT_EQ(indicator->Title(), c.live ? QStringLiteral("x") : QStringLiteral("一覧"));
    }
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(NumericListSetting, ThePickerAddsAChannelOnceBesideTheDialogAndACancelledPickerNothing)
{
    QRect dialogAt;
    QStringList afterDuplicateAndCancels, afterAdd;
    int selectedAfterAdd = -2;
    Open([&] {
        dialogAt = SettledOuterGeometry(dialog);
        Add(6);  // Speed: listed already
        AddThroughPicker([&] { Click(picker.Button1); });
        AddThroughPicker([&] { Key(&picker, Qt::Key_Escape); });
        AddThroughPicker([&] { picker.close(); });
        // The picker's Esc was its own, and it handed the dialog its hook back.
        EXPECT_TRUE(dialog.isVisible());
        afterDuplicateAndCancels = LinesOf(dialog.ListBox);
        ClickLine(dialog.ListBox, 1);
        AddThroughPicker([&] {
            ASSERT_TRUE(Focus(picker.ListBox));
            Key(&picker, Qt::Key_Down);
            Key(&picker, Qt::Key_Return);  // Coolant temp
        });
        afterAdd = LinesOf(dialog.ListBox);
        selectedAfterAdd = dialog.ItemIndex();
        Key(&dialog, Qt::Key_Return);
    });
    EXPECT_EQ(pickerShownAt.left(), dialogAt.right() + 1);
    EXPECT_EQ(pickerShownAt.top(), dialogAt.top());
    EXPECT_EQ(afterDuplicateAndCancels, (QStringList{TachoLine, SpeedLine, BatteryLine}));
    EXPECT_EQ(afterAdd,
              (QStringList{TachoLine, SpeedLine, BatteryLine, QStringLiteral("Coolant temp[ﾟc]")}));
    EXPECT_EQ(selectedAfterAdd, 1);  // adding leaves the selection where it was
    EXPECT_EQ(indicator->NumRectArray[3].PortInfo.Address, &CoolantTemp);
}

TEST_F(NumericListSetting, ItGrowsItsListAndKeepsARowWithoutAChannelAndTheEndsOfTheList)
{
    indicator->LoadProperty("NumericName={\"TACHO\",\"GONE\",\"SPEED\"}\n");
    QStringList shown, afterEnds;
    std::vector<int> selected;
    int heightBefore = 0, heightOnOptions = 0;
    QSize grown;
    Open([&] {
        heightBefore = SettledOuterGeometry(dialog).height();
        ShowTab(dialog.PageControl, 1);
        heightOnOptions = SettledOuterGeometry(dialog).height();
        ShowTab(dialog.PageControl, 0);
        dialog.resize(dialog.width() + 40, dialog.height() + 30);
        grown = dialog.ListBox->size();
        shown = LinesOf(dialog.ListBox);
        for (QPushButton* button : {dialog.ButtonDown, dialog.ButtonUp, dialog.ButtonDel})
            Click(button);  // nothing selected
        ClickLine(dialog.ListBox, 0);
        Click(dialog.ButtonUp);
        ClickLine(dialog.ListBox, 2);
        Click(dialog.ButtonDown);
        afterEnds = LinesOf(dialog.ListBox);
        Key(&dialog, Qt::Key_Return);
    });
    EXPECT_EQ(heightOnOptions, heightBefore);  // its tabs leave the height as it is
    EXPECT_EQ(grown, QSize(200, 213));         // and the list grows with it
    EXPECT_EQ(shown, (QStringList{TachoLine, QString(), SpeedLine}));
    EXPECT_EQ(afterEnds, shown);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"TACHO", "", "SPEED"}));
    EXPECT_EQ(indicator->NumRectArray[1].PortInfo.Address, nullptr);
    Open([&] {
        ClickLine(dialog.ListBox, 2);
        for (int i = 0; i < 3; ++i) {
            Click(dialog.ButtonDel);
            selected.push_back(dialog.ItemIndex());
        }
        Click(dialog.ButtonOk);
    });
    EXPECT_EQ(selected, (std::vector<int>{1, 0, -1}));
    EXPECT_EQ(indicator->NumRectCount, 0);
}

TEST(SourceList, OpensOnItsFirstLineEveryTimeAndTheEditFollowsTheSelection)
{
    TFSourceList picker;
    QWidget caller;
    const auto open = [&](const std::function<void()>& drive, TPLUT table = SourceIndexQ7) {
        return RunWhileOpen(
            picker, [&] { return picker.Execute(table, &caller); }, drive);
    };
    QStringList seen;
    EXPECT_EQ(open([&] {
                  seen << QString::number(picker.ItemIndex()) << picker.Edit->text();
                  ClickLine(picker.ListBox, 3);
                  seen << picker.Edit->text();
                  ASSERT_TRUE(Focus(picker.ListBox));
                  Key(&picker, Qt::Key_Down);  // released: the edit follows
                  seen << picker.Edit->text();
                  Click(picker.Button2);
              }),
              1);
    EXPECT_EQ(seen, (QStringList{"0", ThrottleLine, QStringLiteral("Oil press[kPa]"),
                                 QStringLiteral("Fuel press[kPa]")}));
    EXPECT_EQ(picker.SelectedText(), QStringLiteral("Fuel press[kPa]"));
    EXPECT_EQ(LinesOf(picker.ListBox).size(), 12);
    EXPECT_EQ(LinesOf(picker.ListBox).back(), BatteryLine);

    EXPECT_EQ(open([&] { ClickLine(picker.ListBox, 11, true); }), 1);  // a double click
    EXPECT_EQ(picker.ItemIndex(), 11);
    const struct {
        Gesture way;
        int line, result, chosen;
    } cases[] = {
        {{"Enter", nullptr, Qt::Key_Return, nullptr, false}, 6, 1, 6},
        {{"opens on line 0", nullptr, 0, picker.Button2, false}, -1, 1, 0},
        {{"Esc", nullptr, Qt::Key_Escape, nullptr, false}, 2, -1, -1},
        {{"Cancel", nullptr, 0, picker.Button1, false}, 2, -1, -1},
        {{"Enter on Cancel", picker.Button1, Qt::Key_Return, nullptr, false}, -1, -1, -1},
        {{"title bar", nullptr, 0, nullptr, true}, 5, -1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.way.name);
        EXPECT_EQ(open([&] {
                      if (c.line >= 0)
                          ClickLine(picker.ListBox, c.line);
                      Perform(picker, c.way);
                  }),
                  c.result);
        EXPECT_EQ(picker.ItemIndex(), c.chosen);
    }
    const TPortInfo empty[1];
    EXPECT_EQ(open([&] { Key(&picker, Qt::Key_Return); }, empty), 1);
    EXPECT_EQ(picker.ListBox->count(), 0);
    EXPECT_EQ(picker.ItemIndex(), -1);
}
