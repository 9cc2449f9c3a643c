// End to end on the real main window: indicators are edited from the indicator menu
// through their settings dialogs with real clicks and keys, saved in the work file when the
// window closes and loaded again at the next start with the edits intact.
#include <cstdlib>
#include <QPushButton>

#include "app/AnalogMeterSetup.h"
#include "app/BarGraphSetup.h"
#include "app/NumericListSetup.h"
#include "app/SourceList.h"
#include "app/XYGraphSetup.h"
#include "tests/app/DashboardFixture.h"
#include "tests/app/SettingDialogDriver.h"

using namespace testing_support;

namespace {

class IndicatorEditEndToEnd : public Dashboard {
protected:
    // Opens the indicator's settings dialog with a right click on it and a click on the menu's
    // edit item, and lets drive work in it.
    void Edit(TIndicator* indicator, QDialog& dialog, const std::function<void()>& drive)
    {
        WhenShown(dialog, drive);
        const QPoint at = MainForm->MainPanel->mapTo(
            MainForm, QPoint(indicator->Left() + 12, indicator->Top() + 12));
        QTest::mousePress(MainForm->windowHandle(), Qt::RightButton, Qt::NoModifier, at);
        QTest::mouseRelease(MainForm->windowHandle(), Qt::RightButton, Qt::NoModifier, at);
        QMenu* menu = MainForm->PopupMenuIndicator;
        ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, WaitBound));
        const QPoint item = menu->actionGeometry(MainForm->MenuIndicatorEdit).center();
        QTest::mouseMove(menu, item);
        QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, item);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog.isVisible(); }, WaitBound));
    }
};

}  // namespace

TEST_F(IndicatorEditEndToEnd, EveryKindIsCreatedEditedSavedAndLoadedWithItsEdits)
{
    Start();
    MainForm->move(0, 0);
    // One of each kind (the menu that makes them is tried with the work file), each then moved off
    // the ones before it.
    MouseDownPos = {16, 16};
    TIndicator* dialGauge = CreateIndicator("_AnalogMeter", nullptr);
    TIndicator* barGraph = CreateIndicator("_BarGraph", nullptr);
    TIndicator* xyGraph = CreateIndicator("_XYGraph", nullptr);
    TIndicator* numericList = CreateIndicator("_NumericList", nullptr);
    for (TIndicator* indicator : Indicators())
        indicator->Paint();
    barGraph->move(dialGauge->Left() + dialGauge->width() + 15, dialGauge->Top());
    xyGraph->move(dialGauge->Left(), dialGauge->Top() + dialGauge->height() + 15);
    numericList->move(xyGraph->Left() + xyGraph->width() + 15, xyGraph->Top());
    MainForm->MainPanel->UpdateSize();
    QCoreApplication::processEvents();

    // A title as a hand-edited work file may give it (a tab, bytes code page 932 cannot decode)
    // is shown as it is, and typing beside it is taken: no box, although it applies live.
    const QString title = QStringLiteral("A\tB\uFFFD");
    static_cast<TAnalogMeter*>(dialGauge)->SetTitle(title);
    Edit(dialGauge, *FAnalogMeterSetting, [&] {
        TFAnalogMeterSetting& d = *FAnalogMeterSetting;
        ASSERT_TRUE(Focus(d.EditTitle));
        Type(&d, QStringLiteral("C"));
        EXPECT_EQ(static_cast<TAnalogMeter*>(dialGauge)->Title(), title + "C");
        Retype(d.EditMaxValue, QStringLiteral("180.5"));
        // Enter in the open channel list picks the highlighted row, then closes as OK; the
        // maximum typed now stands for a value with the channel's decimals. Here the list takes
        // Enter before the dialog's message hook; the hook picks the row all the same where it
        // comes first (as it is called here).
        QAbstractItemView* list = d.ComboBoxIOName->view();
        Click(d.ComboBoxIOName);
        ASSERT_TRUE(QTest::qWaitFor([list] { return list->isVisible(); }, WaitBound));
        list->setCurrentIndex(list->model()->index(SpeedRow, 0));
        platform::TMessage enter{{}, list->window()->windowHandle(), Qt::Key_Return, {}, {}};
        bool handled = false;
        platform::ApplicationMessageHook()(enter, handled);
    });
    Edit(barGraph, *FBarGraphSetting, [] {
        TFBarGraphSetting& d = *FBarGraphSetting;
        ChooseFromList(*d.ComboBoxIOName, BatteryRow);
        Retype(d.EditTitle, QStringLiteral("a\"b{c"));
        // The same channel again keeps the title typed.
        ChooseFromList(*d.ComboBoxIOName, BatteryRow);
        Key(&d, Qt::Key_Return);
    });
    // An XY graph's title names its axes' channels, and an axis's limits are shown again with the
    // decimals of its new channel.
    static_cast<TXYGraph*>(xyGraph)->SetXMaxValue(1500);
    QStringList seen;
    Edit(xyGraph, *FXYGraphSetting, [&seen] {
        TFXYGraphSetting& d = *FXYGraphSetting;
        ChooseFromList(*d.ComboBoxYIOName, TachoRow);
        seen << d.EditTitle->text();
        ChooseFromList(*d.ComboBoxXIOName, SpeedRow);
        seen << d.EditXMaxValue->text();
        Retype(d.EditXMaxValue, QStringLiteral("250.5"));
        Key(&d, Qt::Key_Return);
    });
    // The numeric list: rows added through the picker, one by each way out of it (Enter also on
    // either button); only a choice adds its channel, and only once. The picker opens on line 0
    // (taken where no line is clicked). A row moved up and down stays selected, as far as it goes.
    Edit(numericList, *FNumericListSetup, [] {
        TFNumericListSetup& d = *FNumericListSetup;
        TFSourceList& p = *FSourceList;
        // clang-format off
        const std::pair<int, std::function<void()>> ways[] = {
            {TachoRow, [&] { Click(p.Button2); }}, {SpeedRow, [&] { Key(&p, Qt::Key_Return); }},
            {BatteryRow, [&] { ClickLine(p.ListBox, BatteryRow, true); }},
            {TachoRow, [&] { Click(p.Button2); }},  // listed already, first and last
            {BatteryRow, [&] { ASSERT_TRUE(Focus(p.Button2)); Key(&p, Qt::Key_Return); }},
            {3, [&] { Click(p.Button1); }}, {3, [&] { Key(&p, Qt::Key_Escape); }},
            {3, [&] { ASSERT_TRUE(Focus(p.Button1)); Key(&p, Qt::Key_Return); }},
            {3, [&] { p.close(); }}, {0, [&] { Click(p.Button2); }}};  // the close box; line 0
        // clang-format on
        for (const auto& [row, way] : ways) {
            WhenShown(p, [&] {
                if (row)
                    ClickLine(p.ListBox, row);
                way();
            });
            Click(d.ButtonAdd);
            EXPECT_EQ(p.result(), row == 3 ? -1 : 1) << row;  // a cancel, or a choice
        }
        EXPECT_EQ(d.ListBox->count(), 4);
        ClickLine(d.ListBox, 2);
        for (QPushButton* move : {d.ButtonUp, d.ButtonUp, d.ButtonUp, d.ButtonDown})
            Click(move);
        Key(&d, Qt::Key_Return);
    });
    // The dialogs have given the main window its message hook back: it follows the Shift key.
    ASSERT_FALSE(MainForm->ShiftDown);
    QTest::keyPress(MainForm->windowHandle(), Qt::Key_Shift, Qt::ShiftModifier);
    EXPECT_TRUE(MainForm->ShiftDown);

    // Closing saves the work file; the next start loads it.
    MainForm->close();
    QCoreApplication::processEvents();
    Start();
    ASSERT_EQ(Names(),
              (std::vector<QString>{QStringLiteral("_AnalogMeter1"), QStringLiteral("_BarGraph1"),
                                    QStringLiteral("_XYGraph1"), QStringLiteral("_NumericList1")}));
    const auto* dial = static_cast<TAnalogMeter*>(Indicators()[0]);
    const auto* bar = static_cast<TBarGraph*>(Indicators()[1]);
    const auto* xy = static_cast<TXYGraph*>(Indicators()[2]);
    const auto* list = static_cast<TNumericList*>(Indicators()[3]);
    EXPECT_EQ(dial->PortInfo().Designator, "SPEED");
    EXPECT_EQ(dial->MaxValue(), 18050);
    EXPECT_EQ(bar->IoName(), "BATTERY");
    EXPECT_EQ(bar->Title(), QStringLiteral("a\"b{c"));
    EXPECT_EQ(seen, (QStringList{"Tacho[rpm]", "15.00"}));  // the vertical channel alone
    EXPECT_EQ(TFXYGraphSetting::ChannelTitle(-1, SpeedRow), QStringLiteral("Speed[km/h]"));
    EXPECT_EQ(xy->Title(), QStringLiteral("Tacho[rpm] vs Speed[km/h]"));
    EXPECT_EQ(xy->XMaxValue(), 25050);
    std::string rows;
    for (int i = 0; i < list->NumRectCount; ++i)
        rows += list->NumRectArray[i].PortInfo.Designator + " ";
    EXPECT_EQ(rows, "TACHO BATTERY SPEED THROT ");
    EXPECT_TRUE(Messages().empty());
}
