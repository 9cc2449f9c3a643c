// End to end on the real main window (offscreen): indicators are created from the indicator
// menu, edited through their settings dialogs with real clicks and keys, saved in the work file
// when the window closes and loaded again at the next start with every edit intact.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include "app/AnalogMeterSetup.h"
#include "app/BarGraphSetup.h"
#include "app/NumericListSetup.h"
#include "app/SourceList.h"
#include "app/XYGraphSetup.h"
#include "indicators/AnalogMeter.h"
#include "indicators/BarGraph.h"
#include "indicators/NumericList.h"
#include "indicators/XYGraph.h"
#include "tests/app/DashboardFixture.h"
#include "tests/app/SettingDialogDriver.h"

using namespace testing_support;

namespace {

constexpr int TachoRow = 5;
constexpr int SpeedRow = 6;
constexpr int BatteryRow = 11;

class IndicatorEditEndToEnd : public Dashboard {
protected:
    QPoint InWindow(QPoint inPanel) const { return MainForm->MainPanel->mapTo(MainForm, inPanel); }

    // The indicator menu over an indicator, as a right click opens it.
    void RightClick(const TIndicator* indicator)
    {
        const QPoint at(indicator->Left() + 12, indicator->Top() + 12);
        QWindow* window = MainForm->windowHandle();
        QTest::mousePress(window, Qt::RightButton, Qt::NoModifier, InWindow(at));
        QTest::mouseRelease(window, Qt::RightButton, Qt::NoModifier, InWindow(at));
    }

    static void Choose(QMenu* menu, QAction* item)
    {
        ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, WaitBound));
        const QPoint at = menu->actionGeometry(item).center();
        QTest::mouseMove(menu, at);
        QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, at);
    }

    // Creates an indicator of a kind from the menu over another one; answers the new one.
    TIndicator* CreateFromMenu(const TIndicator* over, QAction* kind)
    {
        const std::size_t before = Indicators().size();
        RightClick(over);
        Choose(MainForm->PopupMenuIndicator, MainForm->MenuIndicatorCreate->menuAction());
        Choose(MainForm->MenuIndicatorCreate, kind);
        EXPECT_TRUE(QTest::qWaitFor([&] { return Indicators().size() == before + 1; }, WaitBound));
        return Indicators().back();
    }

    // Runs act on window once it is shown and active, without blocking whatever opens it.
    // Should act leave it open, it is closed with -99 so that a test fails instead of hanging.
    static void WhenShown(QDialog& window, std::function<void()> act,
                          int triesLeft = WaitBound / 10)
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

    // Opens the indicator's settings dialog from the menu's edit item and lets drive work in it.
    void Edit(TIndicator* indicator, QDialog& dialog, const std::function<void()>& drive)
    {
        WhenShown(dialog, drive);
        RightClick(indicator);
        Choose(MainForm->PopupMenuIndicator, MainForm->MenuIndicatorEdit);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog.isVisible(); }, WaitBound));
    }

    static void ShowTab(QTabWidget* pages, int index)
    {
        Click(pages->tabBar(), pages->tabBar()->tabRect(index).center());
    }

    static void Pick(QComboBox* box, int row)
    {
        ASSERT_TRUE(OpenList(box));
        ClickRow(box, row);
    }

    static void Retype(QLineEdit* entry, const QString& text)
    {
        ASSERT_TRUE(Focus(entry));
        entry->selectAll();
        Type(entry, text);
    }

    // Adds the picker's line through 追加 of the numeric list dialog.
    static void AddRow(int line)
    {
        WhenShown(*FSourceList, [line] {
            QListWidget* box = FSourceList->ListBox;
            Click(box->viewport(), box->visualItemRect(box->item(line)).center());
            Click(FSourceList->Button2);
        });
        Click(FNumericListSetup->ButtonAdd);
    }

    ColorDialogScript colors;
};

}  // namespace

TEST_F(IndicatorEditEndToEnd, EveryKindIsCreatedEditedSavedAndLoadedWithItsEdits)
{
    Start();
    MainForm->move(0, 0);
    MouseDownPos = {16, 16};
    TIndicator* dialGauge = CreateIndicator("_AnalogMeter", nullptr);
    dialGauge->Paint();
    MainForm->MainPanel->UpdateSize();
    // The others from the menu over the dial, each then moved off the ones before it.
    TIndicator* barGraph = CreateFromMenu(dialGauge, CreateItem("NewBarGraph"));
    TIndicator* xyGraph = CreateFromMenu(dialGauge, CreateItem("NewXYGraph"));
    TIndicator* numericList = CreateFromMenu(dialGauge, CreateItem("NewNumericList"));
    ASSERT_NE(qobject_cast<TBarGraph*>(barGraph), nullptr);
    ASSERT_NE(qobject_cast<TXYGraph*>(xyGraph), nullptr);
    ASSERT_NE(qobject_cast<TNumericList*>(numericList), nullptr);
    for (TIndicator* indicator : Indicators())
        indicator->Paint();
    barGraph->move(dialGauge->Left() + dialGauge->width() + 15, dialGauge->Top());
    xyGraph->move(dialGauge->Left(), dialGauge->Top() + dialGauge->height() + 15);
    numericList->move(xyGraph->Left() + xyGraph->width() + 15, xyGraph->Top());
    MainForm->MainPanel->UpdateSize();
    QCoreApplication::processEvents();

    // A mark on the bar graph's surface, outside any paint: the dial's dialog closing has every
    // indicator repaint itself whole, which wipes it.
    barGraph->Canvas().Brush.Color = platform::TColor(0xFF00FF);
    barGraph->Canvas().FillRect({2, 2, 6, 6});
    ASSERT_EQ(barGraph->Surface().pixel(3, 3), qRgb(0xFF, 0x00, 0xFF));

    // The dial: channel, title typed after it, range, a limit, the scale, a font size, a colour.
    colors.answers = {platform::TColor(0x0000CC)};
    Edit(dialGauge, *FAnalogMeterSetting, [] {
        TFAnalogMeterSetting& d = *FAnalogMeterSetting;
        Pick(d.ComboBoxIOName, SpeedRow);
        Retype(d.EditTitle, QStringLiteral("車速"));
        // Pasted lines stay one: each line break a blank.
        QGuiApplication::clipboard()->setText(QStringLiteral("\"{\r\n}"));
        QTest::keyClick(d.windowHandle(), Qt::Key_V, Qt::ControlModifier);
        Retype(d.EditMinValue, QStringLiteral("0"));
        Retype(d.EditMaxValue, QStringLiteral("180.5"));
        Retype(d.EditUpperLimit, QStringLiteral("150"));
        Key(&d, Qt::Key_Tab);
        Click(d.UpDownScaleAngle->ButtonDown());
        Click(d.UpDownMainScaleDiv->ButtonDown());
        ShowTab(d.PageControl, 1);
        Click(d.UpDownValueFontSize->ButtonUp());
        Click(d.ButtonNeedleColor);
        ShowTab(d.PageControl, 0);
        Key(&d, Qt::Key_Return);
    });
    EXPECT_NE(barGraph->Surface().pixel(3, 3), qRgb(0xFF, 0x00, 0xFF));

    // The bar graph: channel, range with one decimal, a marker, vertical, a font size, a colour.
    colors.answers = {platform::TColor(0x00CC00)};
    Edit(barGraph, *FBarGraphSetting, [] {
        TFBarGraphSetting& d = *FBarGraphSetting;
        Pick(d.ComboBoxIOName, BatteryRow);
        Retype(d.EditTitle, QStringLiteral("a\"b{c"));
        Retype(d.EditMaxValue, QStringLiteral("16"));
        Retype(d.EditMinValue, QStringLiteral("10.5"));
        Retype(d.EditMarker1, QStringLiteral("14.4"));
        Key(&d, Qt::Key_Tab);
        Pick(d.ComboBoxStyle, 1);
        ShowTab(d.PageControl, 1);
        Click(d.UpDownTitleFontSize->ButtonDown());
        Click(d.ButtonBarColor);
        ShowTab(d.PageControl, 0);
        Key(&d, Qt::Key_Return);
    });

    // The XY graph: both channels, a limit, the divisions, a font size and a colour.
    colors.answers = {platform::TColor(0x00AA00)};
    Edit(xyGraph, *FXYGraphSetting, [] {
        TFXYGraphSetting& d = *FXYGraphSetting;
        Pick(d.ComboBoxYIOName, TachoRow);
        Pick(d.ComboBoxXIOName, SpeedRow);
        Retype(d.EditXMaxValue, QStringLiteral("250.5"));
        Retype(d.EditYMaxValue, QStringLiteral("12000"));
        Click(d.UpDownXDivisions->ButtonUp());
        ShowTab(d.PageControl, 1);
        Click(d.UpDownValueFontSize->ButtonUp());
        Click(d.ColorButtons.at(2));
        ShowTab(d.PageControl, 0);
        Key(&d, Qt::Key_Return);
    });

    // The numeric list: three rows added through the picker, one moved up, and its colours.
    colors.answers = {platform::TColor(0x0000AA)};
    Edit(numericList, *FNumericListSetup, [] {
        TFNumericListSetup& d = *FNumericListSetup;
        AddRow(TachoRow);
        AddRow(BatteryRow);
        AddRow(SpeedRow);
        QListWidget* rows = d.ListBox;
        Click(rows->viewport(), rows->visualItemRect(rows->item(2)).center());
        Click(d.ButtonUp);
        ShowTab(d.PageControl, 1);
        Click(d.UpDownListFontSize->ButtonDown());
        Click(d.ColorButtons.at(1));
        ShowTab(d.PageControl, 0);
        Key(&d, Qt::Key_Return);
    });
    EXPECT_EQ(static_cast<TNumericList*>(numericList)->NumRectCount, 3);

    // Closing saves the work file; the next start loads it.
    MainForm->close();
    QCoreApplication::processEvents();
    Start();
    const std::vector<TIndicator*> loaded = Indicators();
    ASSERT_EQ(Names(),
              (std::vector<QString>{QStringLiteral("_AnalogMeter1"), QStringLiteral("_BarGraph1"),
                                    QStringLiteral("_XYGraph1"), QStringLiteral("_NumericList1")}));

    const auto* dial = qobject_cast<TAnalogMeter*>(loaded[0]);
    ASSERT_NE(dial, nullptr);
    EXPECT_EQ(dial->IoName(), "SPEED");
    EXPECT_EQ(dial->PortInfo().Designator, "SPEED");
    EXPECT_EQ(dial->Title(), QStringLiteral("車速\"{  }"));
    EXPECT_EQ(dial->MinValue(), 0);
    EXPECT_EQ(dial->MaxValue(), 18050);
    EXPECT_EQ(dial->UpperLimit(), "150");
    EXPECT_EQ(dial->ScaleAngle(), 265);
    EXPECT_EQ(dial->MainScaleDiv(), 9);
    EXPECT_EQ(dial->HeightValue(), 25);
    EXPECT_EQ(dial->ColorNeedle(), platform::TColor(0x0000CC));

    const auto* bar = qobject_cast<TBarGraph*>(loaded[1]);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->IoName(), "BATTERY");
    EXPECT_EQ(bar->Title(), QStringLiteral("a\"b{c"));
    EXPECT_EQ(bar->MaxValue(), 160);
    EXPECT_EQ(bar->MinValue(), 105);
    EXPECT_EQ(bar->Marker1(), "14.4");
    EXPECT_EQ(bar->Vertical(), 1);
    EXPECT_EQ(bar->HeightTitle(), 15);
    EXPECT_EQ(bar->ColorBar(), platform::TColor(0x00CC00));

    const auto* xy = qobject_cast<TXYGraph*>(loaded[2]);
    ASSERT_NE(xy, nullptr);
    EXPECT_EQ(xy->YIoName(), "TACHO");
    EXPECT_EQ(xy->XIoName(), "SPEED");
    EXPECT_EQ(xy->XPortInfo().Designator, "SPEED");
    EXPECT_EQ(xy->Title(), QStringLiteral("Tacho[rpm] vs Speed[km/h]"));
    EXPECT_EQ(xy->XMaxValue(), 25050);
    EXPECT_EQ(xy->YMaxValue(), 12000);
    EXPECT_EQ(xy->XSplit(), 6);
    EXPECT_EQ(xy->HeightValue(), 17);
    EXPECT_EQ(xy->ColorGrid(), platform::TColor(0x00AA00));

    const auto* list = qobject_cast<TNumericList*>(loaded[3]);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->NumRectCount, 3);
    EXPECT_EQ(list->NumRectArray[0].PortInfo.Designator, "TACHO");
    EXPECT_EQ(list->NumRectArray[1].PortInfo.Designator, "SPEED");
    EXPECT_EQ(list->NumRectArray[2].PortInfo.Designator, "BATTERY");
    EXPECT_EQ(list->HeightList(), 15);
    EXPECT_EQ(list->ColorBack(), platform::TColor(0x0000AA));
    EXPECT_TRUE(Messages().empty());
}
