// The numeric list's settings dialog with the real channel picker opening on top of it, driven
// with real keys and clicks.
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

    TFSourceList picker;
    QRect pickerShownAt;
};

}  // namespace

TEST_F(NumericListSetting, ThePickerBesideTheDialogAddsAChannelOnceAndOnlyOkPutsTheListOn)
{
    const std::vector<std::string> original{"TACHO", "SPEED", "BATTERY"};
    EXPECT_EQ(Open([&] {
                  Add(0);
                  Key(&dialog, Qt::Key_Escape);
              }),
              -1);
    EXPECT_EQ(Rows(), original);
    QRect dialogAt;
    QStringList afterAdd;
    QString pickerEdit;
    std::vector<std::string> rowsWhileOpen;
    int selectedAfterAdd = -2;
    Open([&] {
        dialogAt = SettledOuterGeometry(dialog);
        Add(6);  // Speed: listed already
        AddThroughPicker([&] { Click(picker.Button1); });
        AddThroughPicker([&] { Key(&picker, Qt::Key_Escape); });
        AddThroughPicker([&] { picker.close(); });
        AddThroughPicker([&] {
            ClickLine(picker.ListBox, 4);
            ASSERT_TRUE(Focus(picker.Button1));
            Key(&picker, Qt::Key_Return);  // on Cancel: its click
        });
        // The picker's keys were its own, and it handed the dialog its hook back.
        EXPECT_TRUE(dialog.isVisible());
        ClickLine(dialog.ListBox, 1);
        AddThroughPicker([&] {
            ASSERT_TRUE(Focus(picker.ListBox));
            Key(&picker, Qt::Key_Down);  // from the first line, whatever was clicked before
            pickerEdit = picker.Edit->text();
            Key(&picker, Qt::Key_Return);
        });
        AddThroughPicker([&] { ClickLine(picker.ListBox, 4, true); });  // a double click
        afterAdd = LinesOf(dialog.ListBox);
        selectedAfterAdd = dialog.ItemIndex();
        rowsWhileOpen = Rows();  // the dialog edits a copy
        Key(&dialog, Qt::Key_Return);
    });
    EXPECT_EQ(pickerShownAt.left(), dialogAt.right() + 1);
    EXPECT_EQ(pickerShownAt.top(), dialogAt.top());
    EXPECT_EQ(pickerEdit, QStringLiteral("Coolant temp[ﾟc]"));  // the edit follows the selection
    EXPECT_EQ(afterAdd, (QStringList{TachoLine, SpeedLine, BatteryLine, pickerEdit,
                                     QStringLiteral("Fuel press[kPa]")}));
    EXPECT_EQ(selectedAfterAdd, 1);  // adding leaves the selection where it was
    EXPECT_EQ(rowsWhileOpen, original);
    EXPECT_EQ(indicator->NumRectCount, 5);
    EXPECT_EQ(indicator->NumRectArray[3].PortInfo.Address, &CoolantTemp);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(NumericListSetting, ItGrowsItsListAndKeepsARowWithoutAChannelAndTheEndsOfTheList)
{
    indicator->LoadProperty("NumericName={\"TACHO\",\"GONE\",\"SPEED\"}\n");
    QStringList shown;
    std::vector<int> selected;
    QSize grown;
    Open([&] {
        dialog.resize(dialog.width() + 40, dialog.height() + 30);
        grown = dialog.ListBox->size();
        shown = LinesOf(dialog.ListBox);
        for (QPushButton* button : {dialog.ButtonDown, dialog.ButtonUp, dialog.ButtonDel})
            Click(button);  // nothing selected
        ClickLine(dialog.ListBox, 0);
        Click(dialog.ButtonUp);  // at the top: stays
        Click(dialog.ButtonDown);
        ClickLine(dialog.ListBox, 2);
        Click(dialog.ButtonDown);  // at the bottom: stays
        for (int i = 0; i < 2; ++i) {
            Click(dialog.ButtonDel);
            selected.push_back(dialog.ItemIndex());
        }
        Key(&dialog, Qt::Key_Return);
    });
    EXPECT_EQ(grown, QSize(200, 213));  // the list grows with the dialog
    EXPECT_EQ(shown, (QStringList{TachoLine, QString(), SpeedLine}));
    EXPECT_EQ(selected, (std::vector<int>{1, 0}));  // the row before the deleted one
    EXPECT_EQ(Rows(), (std::vector<std::string>{""}));
    EXPECT_EQ(indicator->NumRectArray[0].PortInfo.Address, nullptr);
}
