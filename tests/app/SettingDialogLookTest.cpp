// The four indicator settings dialogs and the channel picker as the user sees them, open beside
// what they edit, offscreen and on a real desktop: placed and sized at their first opening as at
// every later one, and on every tab each caption fits its control and no control covers another
// or leaves its parent. ZOLT_SNAPSHOT_DIR=<folder> also writes them as PNGs.
#include <gtest/gtest.h>

#include <array>
#include <QTest>

#include "app/AnalogMeterSetup.h"
#include "app/BarGraphSetup.h"
#include "app/NumericListSetup.h"
#include "app/SourceList.h"
#include "app/XYGraphSetup.h"
#include "indicators/AnalogMeter.h"
#include "indicators/BarGraph.h"
#include "indicators/NumericList.h"
#include "indicators/Port.h"
#include "indicators/XYGraph.h"
#include "tests/app/DialogLayoutCheck.h"
#include "tests/app/SettingDialogDriver.h"
#include "tests/support/WindowSystem.h"

using namespace testing_support;

namespace {

// Title bar and frame of a window on a desktop, generously.
constexpr int TallTitleBarAndFrame = 36;

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

// Opens the dialog twice. Both openings stand beside the indicator (its right edge, tops
// aligned) with the same outer rectangle, as the window system has it, the height the tab it
// opens on sets; on a desktop the first opening is the one whose frame is not known beforehand.
// On each tab of the first opening the layout is checked, also with room for a taller title bar
// than the desktop's, and a snapshot taken; each tab sets its outer height, and the first tab
// gives back the height the dialog opened with. tabHeights: 0 where a tab sets none.
template <class Dialog, class Indicator>
void LookAtEveryTab(Dialog& dialog, Indicator* indicator, QWidget& host, const QString& name,
                    std::array<int, 2> tabHeights)
{
    const QPoint corner = indicator->mapToGlobal(QPoint());
    std::array<QRect, 2> opened;
    for (int opening = 0; opening < 2; ++opening) {
        RunWhileOpen(
            dialog, [&] { return dialog.Execute(indicator, corner.x(), corner.y()); },
            [&] {
                opened[opening] = SettledOuterGeometry(dialog);
                for (int tab = 0; opening == 0 && tab < dialog.PageControl->count(); ++tab) {
                    dialog.PageControl->setCurrentIndex(tab);
                    const QRect outer = SettledOuterGeometry(dialog);
                    if (tabHeights[tab] > 0) {
                        EXPECT_EQ(outer.height(), tabHeights[tab]) << name.toStdString() << tab;
                    }
                    EXPECT_EQ(outer.width(), opened[0].width()) << name.toStdString() << tab;
                    EXPECT_EQ(Joined(LayoutProblems(dialog)), "")
                        << name.toStdString() << " tab " << tab;
                    // A tab sets the outer height, of which a taller title bar and frame would
                    // take a larger share.
                    const int taller = TallTitleBarAndFrame - (outer.height() - dialog.height());
                    if (dialog.minimumSize() == dialog.maximumSize() && taller > 0) {
                        const QSize shown = dialog.size();
                        dialog.setFixedSize(shown.width(), shown.height() - taller);
                        EXPECT_EQ(Joined(LayoutProblems(dialog)), "")
                            << name.toStdString() << " tab " << tab << " under a title bar";
                        dialog.setFixedSize(shown);
                        (void)SettledOuterGeometry(dialog);
                    }
                    SnapshotBeside(dialog, host,
                                   QStringLiteral("%1-tab%2.png").arg(name).arg(tab + 1));
                }
                if (opening == 0) {
                    dialog.PageControl->setCurrentIndex(0);
                    EXPECT_EQ(SettledOuterGeometry(dialog), opened[0]) << name.toStdString();
                }
                Key(&dialog, Qt::Key_Escape);
            });
    }
    EXPECT_EQ(opened[0].topLeft(), corner + QPoint(indicator->width(), 0)) << name.toStdString();
    if (tabHeights[0] > 0) {
        EXPECT_EQ(opened[0].height(), tabHeights[0]) << name.toStdString();
    }
    EXPECT_EQ(opened[1], opened[0]) << name.toStdString();
}

class SettingDialogLook : public ::testing::Test {
protected:
    void SetUp() override
    {
        host.setGeometry(20, 30, 420, 260);
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    }

    QWidget host;
};

}  // namespace

TEST_F(SettingDialogLook, DialGaugeDialogOnBothTabs)
{
    auto* dial = new TAnalogMeter(&host, SourceIndexQ7);
    dial->setGeometry(9, 9, 200, 200);
    dial->show();
    dial->SetIoName("JYRO");  // the longest description
    dial->SetTitle(QStringLiteral("Angular velocity[ﾟ/s]"));
    dial->SetUpperLimit("8000");
    TFAnalogMeterSetting dialog;
    LookAtEveryTab(dialog, dial, host, QStringLiteral("dial-gauge-setting"), {366, 454});
}

TEST_F(SettingDialogLook, BarGraphDialogOnBothTabs)
{
    auto* bar = new TBarGraph(&host, SourceIndexQ7);
    bar->setGeometry(9, 9, 200, 64);
    bar->show();
    bar->SetIoName("JYRO");  // the longest description
    bar->SetTitle(QStringLiteral("Angular velocity[ﾟ/s]"));
    bar->SetMarker1("100");
    TFBarGraphSetting dialog;
    LookAtEveryTab(dialog, bar, host, QStringLiteral("bar-graph-setting"), {279, 357});
}

TEST_F(SettingDialogLook, XYGraphDialogOnBothTabs)
{
    auto* graph = new TXYGraph(&host, SourceIndexQ7);
    graph->setGeometry(9, 9, 240, 200);
    graph->show();
    graph->SetXIoName("SPEED");
    graph->SetYIoName("TACHO");
    graph->SetTitle(QStringLiteral("Tacho[rpm] vs Speed[km/h]"));
    graph->SetXMaxValue(30000);
    graph->SetYMaxValue(9000);
    TFXYGraphSetting dialog;
    LookAtEveryTab(dialog, graph, host, QStringLiteral("xy-graph-setting"), {373, 359});
}

TEST_F(SettingDialogLook, NumericListDialogOnBothTabsAndThePickerBesideIt)
{
    auto* list = new TNumericList(&host, SourceIndexQ7);
    list->setGeometry(9, 9, 240, 160);
    list->show();
    list->SetNumStrList(QStringList{QStringLiteral("Tacho[rpm]"), QStringLiteral("Oil temp[ﾟc]"),
                                    QStringLiteral("Angular velocity[ﾟ/s]")});
    TFNumericListSetup dialog;
    LookAtEveryTab(dialog, list, host, QStringLiteral("numeric-list-setting"), {0, 0});

    TFSourceList picker;
    RunWhileOpen(
        picker, [&] { return picker.Execute(SourceIndexQ7, &host); },
        [&] {
            EXPECT_EQ(Joined(LayoutProblems(picker)), "");
            SnapshotBeside(picker, host, QStringLiteral("source-list.png"));
            Key(&picker, Qt::Key_Escape);
        });
}
