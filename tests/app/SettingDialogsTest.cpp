// The indicator settings dialogs, driven with real keys and clicks: what their common frame does
// (seen on the bar graph's dialog), what each dialog binds to its indicator, and the numeric
// list's dialog with the real channel picker opening on top of it.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QToolButton>

#include "app/AnalogMeterSetup.h"
#include "app/BarGraphSetup.h"
#include "app/BesidePlacement.h"
#include "app/NumericListSetup.h"
#include "app/SourceList.h"
#include "app/XYGraphSetup.h"
#include "tests/app/SettingDialogDriver.h"
#include "tests/support/WindowSystem.h"

using namespace testing_support;
using platform::TColor;

namespace {

using BarBench = DialogBench<TFBarGraphSetting>;

// Changes every control of the dialog as a user would: another item in each list, "3" typed into
// each entry, a click on each up-down and colour button. Every line of the indicator's properties
// but those in unchanged must change; entries apply when left, but those in live at every
// keystroke; Esc puts each property back, also one only kept (kept changes it while open).
// Each colour button paints its panel; the colour dialog starts from black, then from the colour
// picked last, and a cancelled pick changes nothing. The custom colours offered are the
// indicator's colours by tag, the fixed grey in greySlot, black elsewhere.
template <class TDialog>
void EscPutsEveryEditBack(DialogBench<TDialog>& bench, int greySlot, const QStringList& unchanged,
                          const QStringList& live, const std::function<void()>& kept)
{
    TDialog& d = bench.dialog;
    const QStringList before = bench.Lines();
    for (const auto& [tag, button] : d.ColorButtons)
        bench.colors.answers.push_back(TColor(0x100 + tag));
    bench.colors.answers.push_back(std::nullopt);
    QStringList same, liveSeen;
    std::vector<TColor> offered;
    const int result = bench.Open([&] {
        for (int slot = 0; slot < 16; ++slot)
            offered.push_back(d.GetColorByIndex(slot) & 0xFFFFFF);
        for (int tab = 0; tab < 2; ++tab) {
            ShowTab(d.PageControl, tab);
            QWidget* page = d.PageControl->widget(tab);
            for (QComboBox* box : page->findChildren<QComboBox*>())
                Pick(box, (box->currentIndex() + 1) % box->count());
            for (TExitEdit* entry : page->findChildren<TExitEdit*>()) {
                ASSERT_TRUE(Focus(entry));  // the entry before is left: it applies
                const QStringList lines = bench.Lines();
                entry->selectAll();
                Type(entry, QStringLiteral("3"));
                if (bench.Lines() != lines)
                    liveSeen << entry->objectName();
            }
            Key(&d, Qt::Key_Tab);
            for (TUpDown* upDown : page->findChildren<TUpDown*>())
                Click(upDown->Position() < upDown->Max() ? upDown->ButtonUp()
                                                         : upDown->ButtonDown());
        }
        for (const auto& [tag, button] : d.ColorButtons)
            Click(button);
        Click(d.ColorButtons.at(0));  // cancelled
        for (int slot = 0; slot < 16; ++slot) {
            const bool colour = d.ColorButtons.contains(slot);
            EXPECT_EQ(d.GetColorByIndex(slot), slot == greySlot ? TIndicatorSettingDialog::FixedGrey
                                               : colour         ? 0x100 + slot
                                                                : 0);
            if (colour) {
                EXPECT_EQ(d.ColorPanels.at(slot)->palette().color(QPalette::Window),
                          QColor(slot, 1, 0));
            }
        }
        kept();
        for (const QString& line : bench.Lines())
            if (before.contains(line))
                same << line;
        Key(&d, Qt::Key_Escape);
    });
    EXPECT_EQ(result, -1);
    const auto& custom = bench.colors.requests[0].Custom;
    EXPECT_EQ(std::vector<TColor>(custom.begin(), custom.end()), offered);
    EXPECT_EQ(bench.colors.requests[0].Color, platform::clBlack);
    EXPECT_EQ(bench.colors.requests[1].Color, TColor(0x100));
    EXPECT_EQ(same, unchanged);
    EXPECT_EQ(liveSeen, live);
    EXPECT_EQ(bench.Lines(), before);
    EXPECT_TRUE(bench.boxes.Boxes().empty());
}

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
        WhenShown(picker, act);
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
};

}  // namespace

TEST(BesidePlacement, RightOfTheAnchorElseLeftTopMovedUpIntoTheWorkArea)
{
    const struct {
        int x, y, width, cx, cy;
        platform::TPoint at;
    } cases[] = {{100, 50, 160, 273, 300, {260, 50}},
                 {591, 50, 160, 273, 300, {751, 50}},  // right edge on the desktop's still fits
                 {592, 50, 160, 273, 300, {319, 50}},
                 {100, 500, 160, 273, 300, {260, 438}},
                 {100, 10, 900, 273, 800, {-173, -62}}};  // nothing keeps an edge from below 0
    for (const auto& c : cases)
        EXPECT_EQ(PlaceBeside(c.x, c.y, c.width, {c.cx, c.cy}, {1024, 738}), c.at) << c.x;
}

TEST(UpDown, StepsWithinItsRangeAndShowsAValueOutsideItUntilTheFirstClick)
{
    QWidget parent;
    auto* edit = new QLineEdit(&parent);
    TUpDown upDown(&parent, edit, 60, 300, 5, 90);
    const struct {
        int set;  // -1: none; -2: typed 100
        bool up;
        const char* shown;
    } steps[] = {{-1, true, "95"},
                 {300, true, "300"},
                 {62, false, "60"},
                 {400, false, "300"},  // shown as set, a click brings it into the range
                 {-2, true, "105"}};   // a typed number is where the next click starts
    for (const auto& s : steps) {
        if (s.set == -2)
            edit->setText(QStringLiteral("100"));
        else if (s.set >= 0)
            upDown.SetPosition(s.set);
        upDown.Click(s.up);
        EXPECT_EQ(edit->text(), QString::fromLatin1(s.shown)) << s.set;
    }
    QTest::keyClick(edit, Qt::Key_Down);  // the arrow keys in the edit click it
    EXPECT_EQ(edit->text(), QStringLiteral("100"));
}

TEST(SettingFrame, EachWayOfClosingAnswersItsResultAndKeepsOrRestoresTheEdits)
{
    BarBench b;
    auto& d = b.dialog;
    const struct {
        const char* way;
        QWidget* focus;
        int key;
        QWidget* click;  // d itself: the title bar's close box
        int result;
        bool kept;
    } cases[] = {
        {"Esc", nullptr, Qt::Key_Escape, nullptr, -1, false},  // (every property: below)
        {"Enter in the entry", nullptr, Qt::Key_Enter, nullptr, 1, true},
        {"Enter on OK", d.ButtonOk, Qt::Key_Return, nullptr, 1, true},
        {"OK", nullptr, 0, d.ButtonOk, 1, true},
        {"Enter on Cancel", d.ButtonCansel, Qt::Key_Return, nullptr, -1, false},
        {"Cancel", nullptr, 0, d.ButtonCansel, -1, false},  // applied, then restored
        {"title bar", nullptr, Qt::Key_Tab, &d, TIndicatorSettingDialog::mrCancel, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.way);
        b.indicator->SetTitle(QStringLiteral("A"));
        b.indicator->SetHeightTitle(20);
        const int result = b.Open([&] {
            ShowTab(d.PageControl, 1);
            Click(d.UpDownTitleFontSize->ButtonDown());  // live
            ShowTab(d.PageControl, 0);
            ASSERT_TRUE(Focus(d.EditTitle));
            d.EditTitle->end(false);
            Type(&d, QStringLiteral("B"));  // applied on leaving
            ASSERT_TRUE(!c.focus || Focus(c.focus));
            if (c.key)
                Key(&d, Qt::Key(c.key));
            if (c.click)
                c.click == &d ? (void)d.close() : Click(c.click);
        });
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(b.indicator->Title(), c.kept ? QStringLiteral("AB") : QStringLiteral("A"));
        EXPECT_EQ(b.indicator->HeightTitle(), c.kept ? 19 : 20);
        EXPECT_EQ(d.EditedIndicator(), nullptr);
    }
    EXPECT_TRUE(b.boxes.Boxes().empty());
}

TEST(SettingFrame, EntriesApplyOnLeavingOnlyWhatConvertsWithTheDecimalsOfTheirChannel)
{
    BarBench b;
    auto& d = b.dialog;
    b.indicator->SetIoName("NOSUCH");
    b.indicator->SetMaxValue(150);
    b.indicator->SetHeightValue(20);
    b.indicator->SetMarker1("\x83\x7D\x81\x5B\x83\x4E");  // "マーク" in code page 932
    std::vector<std::int32_t> seen;
    EXPECT_EQ(b.Open([&] {
        EXPECT_EQ(d.EditMaxValue->text(), QStringLiteral("150"));  // no channel: no decimals
        EXPECT_EQ(d.EditMarker1->text(), QStringLiteral("マーク"));
        // What code page 932 cannot hold is refused, typed or pasted; pasted lines become one.
        Retype(d.EditTitle, QStringLiteral("油温 é"));
        d.EditTitle->insert(QStringLiteral("[ﾟc]😀〜"));
        d.EditTitle->insert(QStringLiteral("\"{\r\n}"));
        Retype(d.EditMaxValue, QStringLiteral("16.95"));
        Key(&d, Qt::Key_Tab);
        seen.push_back(b.indicator->MaxValue());
        Retype(d.EditMaxValue, QStringLiteral("1.2.3"));
        Key(&d, Qt::Key_Tab);
        seen.push_back(b.indicator->MaxValue());
        ShowTab(d.PageControl, 1);
        QLineEdit* size = d.UpDownScaleFontSize->Associate();
        ASSERT_TRUE(Focus(size));
        size->end(false);
        Type(&d, QStringLiteral("x"));
        size->selectAll();
        Key(&d, Qt::Key_Delete);
        Click(d.ButtonOk);
    }),
              1);
    EXPECT_EQ(seen, (std::vector<std::int32_t>{16, 16}));  // truncated
    EXPECT_EQ(b.indicator->Title(), QStringLiteral("油温 \"{  }"));
    EXPECT_EQ(b.boxes.Beeps(), 1);
    EXPECT_EQ(
        b.boxes.Texts(),
        (std::vector<QString>{QStringLiteral("「é」は Shift-JIS で表せないため入力できません"),
                              QStringLiteral("「😀〜」は Shift-JIS で表せないため入力できません"),
                              QStringLiteral("\"1.2.3\"は整数ではありません。"),
                              QStringLiteral("''20x'' は整数ではありません"),
                              QStringLiteral("'''' は整数ではありません")}));
    EXPECT_EQ(b.indicator->HeightValue(), 20);

    // Another channel sets the title, and the entries' texts now stand for values with its
    // decimals. The dialog opens on the tab it closed on.
    b.indicator->SetIoName("BATTERY");
    b.indicator->SetMinValue(-1250);
    b.Open([&] {
        EXPECT_EQ(d.PageControl->currentWidget(), d.TabSheet2);
        EXPECT_EQ(d.ComboBoxIOName->currentIndex(), BatteryRow);
        EXPECT_EQ(d.EditMinValue->text(), QStringLiteral("-125.0"));
        ShowTab(d.PageControl, 0);
        Pick(d.ComboBoxIOName, SpeedRow);
        Key(&d, Qt::Key_Return);
    });
    EXPECT_EQ(b.indicator->PortInfo().Designator, "SPEED");
    EXPECT_EQ(b.indicator->Title(), QStringLiteral("Speed[km/h]"));
    EXPECT_EQ(b.indicator->MaxValue(), 160);  // "1.6"
}

TEST(SettingDialogs, EveryControlChangesItsPropertyColoursFollowTheirTagsAndEscPutsEachBack)
{
    {
        DialogBench<TFAnalogMeterSetting> b({200, 200});
        b.indicator->SetIoName("BATTERY");
        EscPutsEveryEditBack(b, 8, {"ScaleHeight=0"}, {"EditTitle"},  // no control edits the line
                             [&] { b.indicator->SetColorTitle(TColor(0x0000FF)); });
    }
    {
        DialogBench<TFXYGraphSetting> b({200, 160});
        EscPutsEveryEditBack(b, 5, {}, {}, [&] { b.indicator->SetColorTitle(TColor(0x0000FF)); });
    }
    {
        DialogBench<TFNumericListSetup> b;
        EscPutsEveryEditBack(b, 8, {"ColorTitle=0"}, {},
                             [&] { b.indicator->SetTitle(QStringLiteral("x")); });
    }
    BarBench b({200, 64});
    b.indicator->SetIoName("BATTERY");
    EscPutsEveryEditBack(b, 5, {}, {}, [&] { b.indicator->SetColorTitle(TColor(0x0000FF)); });
}

TEST_F(NumericListSetting, ThePickerBesideTheDialogAddsAChannelOnceAndOnlyOkPutsTheListOn)
{
    const std::vector<std::string> original{"TACHO", "SPEED", "BATTERY"};
    EXPECT_EQ(Open([&] {
                  Add(0);
                  Key(&dialog, Qt::Key_Escape);
              }),
              -1);
    EXPECT_EQ(Rows(), original);
    QStringList afterAdd;
    QString pickerEdit;
    std::vector<std::string> rowsWhileOpen;
    int selectedAfterAdd = -2;
    Open([&] {
        Add(6);  // Speed: listed already
        AddThroughPicker([&] { Click(picker.Button1); });
        AddThroughPicker([&] { Key(&picker, Qt::Key_Escape); });
        AddThroughPicker([&] { picker.close(); });
        AddThroughPicker([&] {
            ClickLine(picker.ListBox, 4);
            ASSERT_TRUE(Focus(picker.Button1));
            Key(&picker, Qt::Key_Return);  // on Cancel: its click
        });
        // The picker's keys were its own, and it handed the dialog its hook back (Enter below).
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
