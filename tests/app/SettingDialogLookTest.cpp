// The four indicator settings dialogs and the channel picker as the user sees them,
// open beside what they edit: on every tab each caption fits its control and no control covers
// another or leaves its parent. ZOLT_SNAPSHOT_DIR=<folder> also writes them as PNGs.
#include <gtest/gtest.h>

#include <QTabWidget>
#include <QTest>
#include <QTimer>

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

// Opens the dialog, and on each of its tabs checks the layout and takes a snapshot.
template <class Dialog, class Indicator>
void LookAtEveryTab(Dialog& dialog, Indicator* indicator, QWidget& host, const QString& name)
{
    const QPoint corner = indicator->mapToGlobal(QPoint());
    RunWhileOpen(
        dialog, [&] { return dialog.Execute(indicator, corner.x(), corner.y()); },
        [&] {
            for (int tab = 0; tab < dialog.PageControl->count(); ++tab) {
                dialog.PageControl->setCurrentIndex(tab);
                QTest::qWait(1);
                EXPECT_EQ(Joined(LayoutProblems(dialog)), "")
                    << name.toStdString() << " tab " << tab;
                // A tab sets the outer height; on a desktop the title bar and frame take their
                // share of it, which the offscreen windows here do not have.
                if (dialog.minimumSize() == dialog.maximumSize()) {
                    const QSize shown = dialog.size();
                    dialog.setFixedSize(shown.width(), shown.height() - TallTitleBarAndFrame);
                    EXPECT_EQ(Joined(LayoutProblems(dialog)), "")
                        << name.toStdString() << " tab " << tab << " under a title bar";
                    dialog.setFixedSize(shown);
                }
                SnapshotBeside(dialog, host, QStringLiteral("%1-tab%2.png").arg(name).arg(tab + 1));
            }
            dialog.PageControl->setCurrentIndex(0);
            Key(&dialog, Qt::Key_Escape);
        });
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
    LookAtEveryTab(dialog, dial, host, QStringLiteral("dial-gauge-setting"));
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
    LookAtEveryTab(dialog, bar, host, QStringLiteral("bar-graph-setting"));
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
    LookAtEveryTab(dialog, graph, host, QStringLiteral("xy-graph-setting"));
}

TEST_F(SettingDialogLook, NumericListDialogOnBothTabsAndThePickerBesideIt)
{
    auto* list = new TNumericList(&host, SourceIndexQ7);
    list->setGeometry(9, 9, 240, 160);
    list->show();
    list->SetNumStrList(QStringList{QStringLiteral("Tacho[rpm]"), QStringLiteral("Oil temp[ﾟc]"),
                                    QStringLiteral("Angular velocity[ﾟ/s]")});
    TFNumericListSetup dialog;
    LookAtEveryTab(dialog, list, host, QStringLiteral("numeric-list-setting"));

    TFSourceList picker;
    RunWhileOpen(
        picker, [&] { return picker.Execute(SourceIndexQ7, &host); },
        [&] {
            EXPECT_EQ(Joined(LayoutProblems(picker)), "");
            SnapshotBeside(picker, host, QStringLiteral("source-list.png"));
            Key(&picker, Qt::Key_Escape);
        });
}
