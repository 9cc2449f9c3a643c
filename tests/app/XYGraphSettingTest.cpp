// The XY graph settings dialog over a real XY graph, driven with key and mouse events while it
// is open.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "app/XYGraphSetup.h"
#include "indicators/Port.h"
#include "indicators/XYGraph.h"
#include "tests/app/SettingDialogDriver.h"
#include "tests/support/BoxRecorder.h"

using namespace testing_support;
using platform::TColor;

namespace {

constexpr int TachoRow = 5;     // no decimals
constexpr int SpeedRow = 6;     // two decimals
constexpr int BatteryRow = 11;  // one decimal

class XYGraphSetting : public ::testing::Test {
protected:
    void SetUp() override
    {
        host.setGeometry(0, 0, 500, 400);
        graph = new TXYGraph(&host, SourceIndexQ7);
        graph->setGeometry(9, 9, 200, 160);
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    }

    int Open(const std::function<void()>& drive)
    {
        return RunWhileOpen(
            dialog, [&] { return dialog.Execute(graph, 30, 40); }, drive);
    }

    void ShowTab(int index)
    {
        QTabBar* bar = dialog.PageControl->tabBar();
        Click(bar, bar->tabRect(index).center());
    }

    void Pick(QComboBox* box, int row)
    {
        ASSERT_TRUE(OpenList(box));
        ClickRow(box, row);
    }

    // Replaces an entry's text by typing, as a user would after selecting it all.
    void Retype(QLineEdit* entry, const QString& text)
    {
        ASSERT_TRUE(Focus(entry));
        entry->selectAll();
        Type(entry, text);
    }

    BoxRecorder boxes;
    ColorDialogScript colors;
    QWidget host;
    TXYGraph* graph = nullptr;  // owned by host
    TFXYGraphSetting dialog;
};

}  // namespace

TEST_F(XYGraphSetting, HasItsCaptionTabsAxesAndTheirControls)
{
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("XY-グラフ設定"));
    EXPECT_EQ(dialog.objectName(), QStringLiteral("FXYGraphSetting"));
    EXPECT_EQ(dialog.size(), QSize(273, 350));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    EXPECT_EQ(dialog.PageControl->currentWidget(), dialog.TabSheet1);

    auto group = [&](const char* name) { return dialog.findChild<QGroupBox*>(name); };
    ASSERT_NE(group("GroupBoxY"), nullptr);
    ASSERT_NE(group("GroupBoxX"), nullptr);
    EXPECT_EQ(group("GroupBoxY")->title(), QStringLiteral("垂直軸"));
    EXPECT_EQ(group("GroupBoxX")->title(), QStringLiteral("水平軸"));
    // The vertical axis above the horizontal one; each group holds its own four controls.
    EXPECT_LT(group("GroupBoxY")->y(), group("GroupBoxX")->y());
    EXPECT_EQ(dialog.ComboBoxYIOName->parentWidget(), group("GroupBoxY"));
    EXPECT_EQ(dialog.EditXMaxValue->parentWidget(), group("GroupBoxX"));
    for (QComboBox* box : {dialog.ComboBoxXIOName, dialog.ComboBoxYIOName}) {
        ASSERT_EQ(box->count(), 12);
        EXPECT_EQ(box->itemText(SpeedRow), QStringLiteral("Speed[km/h]"));
        EXPECT_FALSE(box->isEditable());
    }
    for (TUpDown* divisions : {dialog.UpDownXDivisions, dialog.UpDownYDivisions}) {
        EXPECT_EQ(divisions->Min(), 1);
        EXPECT_EQ(divisions->Max(), 100);
        EXPECT_EQ(divisions->Increment(), 1);
        EXPECT_TRUE(divisions->Associate()->isReadOnly());
    }
    for (TUpDown* font : {dialog.UpDownTitleFontSize, dialog.UpDownValueFontSize}) {
        EXPECT_EQ(font->Min(), 8);
        EXPECT_EQ(font->Max(), 40);
        EXPECT_FALSE(font->Associate()->isReadOnly());
    }
    const std::vector<QString> captions{"スケール文字", "計測値文字", "グリッドライン",
                                        "クロスカーソル", "バックグランド"};
    ASSERT_EQ(dialog.ColorButtons.size(), captions.size());
    for (int tag = 0; tag < 5; ++tag)
        EXPECT_EQ(dialog.ColorButtons.at(tag)->text(), captions[std::size_t(tag)]);
}

TEST_F(XYGraphSetting, TheTitleBecomesVerticalVsHorizontalAndAnotherChannelOnlyRescalesTheEntries)
{
    graph->SetTitle(QStringLiteral("手入力"));
    graph->SetXMaxValue(1500);
    graph->SetXMinValue(-20);
    graph->SetYMaxValue(9000);
    QString afterY, afterX, xMaxShown, xMinShown, yMaxShown;
    const int result = Open([&] {
        EXPECT_EQ(dialog.EditXMaxValue->text(), QStringLiteral("1500"));
        Pick(dialog.ComboBoxYIOName, TachoRow);
        // Only one axis has a channel: the title names it alone.
        afterY = graph->Title();
        Pick(dialog.ComboBoxXIOName, BatteryRow);
        afterX = dialog.EditTitle->text();
        xMaxShown = dialog.EditXMaxValue->text();
        xMinShown = dialog.EditXMinValue->text();
        yMaxShown = dialog.EditYMaxValue->text();
        Key(&dialog, Qt::Key_Return);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(afterY, QStringLiteral("Tacho[rpm]"));
    EXPECT_EQ(afterX, QStringLiteral("Tacho[rpm] vs Battery[V]"));
    EXPECT_EQ(graph->Title(), QStringLiteral("Tacho[rpm] vs Battery[V]"));
    EXPECT_EQ(graph->XIoName(), "BATTERY");
    EXPECT_EQ(graph->YIoName(), "TACHO");
    EXPECT_EQ(graph->XPortInfo().Designator, "BATTERY");
    // The values stay; their entries show them with the new channel's one decimal.
    EXPECT_EQ(xMaxShown, QStringLiteral("150.0"));
    EXPECT_EQ(xMinShown, QStringLiteral("-2.0"));
    EXPECT_EQ(yMaxShown, QStringLiteral("9000"));
    EXPECT_EQ(graph->XMaxValue(), 1500);
    EXPECT_EQ(graph->XMinValue(), -20);

    // Later: the vertical axis changes, the title follows, a typed title is replaced; picking
    // the horizontal channel already chosen sets only its name.
    graph->SetTitle(QStringLiteral("XY"));
    QString titleAfterSamePick;
    Open([&] {
        EXPECT_EQ(dialog.ComboBoxXIOName->currentIndex(), BatteryRow);
        EXPECT_EQ(dialog.EditXMaxValue->text(), QStringLiteral("150.0"));
        Retype(dialog.EditTitle, QStringLiteral("typed"));
        graph->SetXIoName("");  // so that the pick's own setting shows
        Pick(dialog.ComboBoxXIOName, BatteryRow);
        titleAfterSamePick = graph->Title();
        Pick(dialog.ComboBoxYIOName, SpeedRow);
        Key(&dialog, Qt::Key_Return);
    });
    EXPECT_EQ(titleAfterSamePick, QStringLiteral("typed"));
    EXPECT_EQ(graph->XIoName(), "BATTERY");
    EXPECT_EQ(graph->Title(), QStringLiteral("Speed[km/h] vs Battery[V]"));
    EXPECT_EQ(dialog.EditYMaxValue->text(), QStringLiteral("90.00"));
    EXPECT_EQ(graph->YMaxValue(), 9000);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(XYGraphSetting, EscAfterChangesOnBothAxesRestoresEveryBackedUpPropertyAndAnswersMinusOne)
{
    graph->SetXIoName("TACHO");
    graph->SetYIoName("SPEED");
    graph->SetTitle(QStringLiteral("元のタイトル"));
    graph->SetXMaxValue(8000);
    graph->SetYMinValue(-100);
    graph->SetXSplit(4);
    graph->SetYSplit(6);
    graph->SetHeightValue(12);
    graph->SetColorGrid(TColor(0x808080));
    graph->SetColorTitle(TColor(0x0000FF));
    colors.answers = {TColor(0x00AA00), TColor(0x112233)};
    bool liveOnGraph = false;
    const int result = Open([&] {
        EXPECT_EQ(dialog.EditYMinValue->text(), QStringLiteral("-1.00"));
        Pick(dialog.ComboBoxXIOName, BatteryRow);
        Pick(dialog.ComboBoxYIOName, TachoRow);
        Retype(dialog.EditXMaxValue, QStringLiteral("12.5"));
        Retype(dialog.EditYMinValue, QStringLiteral("-3"));
        Key(&dialog, Qt::Key_Tab);
        Click(dialog.UpDownXDivisions->ButtonUp());
        Click(dialog.UpDownYDivisions->ButtonDown());
        ShowTab(1);
        Retype(dialog.UpDownValueFontSize->Associate(), QStringLiteral("30"));
        Click(dialog.ColorButtons.at(2));
        Click(dialog.ColorButtons.at(4));
        liveOnGraph = graph->XIoName() == "BATTERY" && graph->YIoName() == "TACHO" &&
                      graph->Title() == QStringLiteral("Tacho[rpm] vs Battery[V]") &&
                      graph->XMaxValue() == 125 && graph->YMinValue() == -3 &&
                      graph->XSplit() == 5 && graph->YSplit() == 5 && graph->HeightValue() == 30 &&
                      graph->ColorGrid() == TColor(0x00AA00) &&
                      graph->ColorBack() == TColor(0x112233);
        Key(&dialog, Qt::Key_Escape);
    });
    EXPECT_TRUE(liveOnGraph);
    EXPECT_EQ(result, -1);
    EXPECT_EQ(graph->XIoName(), "TACHO");
    EXPECT_EQ(graph->YIoName(), "SPEED");
    EXPECT_EQ(graph->XPortInfo().Designator, "TACHO");
    EXPECT_EQ(graph->YPortInfo().Designator, "SPEED");
    EXPECT_EQ(graph->Title(), QStringLiteral("元のタイトル"));
    EXPECT_EQ(graph->XMaxValue(), 8000);
    EXPECT_EQ(graph->XMinValue(), 0);
    EXPECT_EQ(graph->YMinValue(), -100);
    EXPECT_EQ(graph->YMaxValue(), 100);
    EXPECT_EQ(graph->XSplit(), 4);
    EXPECT_EQ(graph->YSplit(), 6);
    EXPECT_EQ(graph->HeightValue(), 12);
    EXPECT_EQ(graph->HeightTitle(), 16);
    EXPECT_EQ(graph->ColorGrid(), TColor(0x808080));
    EXPECT_EQ(graph->ColorBack(), TColor(0xF0F0F0));
    EXPECT_EQ(graph->ColorTitle(), TColor(0x0000FF));
    EXPECT_EQ(dialog.Indicator, nullptr);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(XYGraphSetting, EnterFromAnOpenListOrAnEntryClosesWithOneAndKeepsTheChanges)
{
    const int fromList = Open([&] {
        ASSERT_TRUE(OpenList(dialog.ComboBoxYIOName));
        dialog.ComboBoxYIOName->view()->setCurrentIndex(
            dialog.ComboBoxYIOName->model()->index(SpeedRow, 0));
        Key(dialog.ComboBoxYIOName->view(), Qt::Key_Return);
    });
    EXPECT_EQ(fromList, 1);
    EXPECT_EQ(graph->YIoName(), "SPEED");
    EXPECT_EQ(graph->Title(), QStringLiteral("Speed[km/h]"));

    const int fromEntry = Open([&] {
        Retype(dialog.EditYMaxValue, QStringLiteral("2.5"));
        Key(&dialog, Qt::Key_Return);
    });
    EXPECT_EQ(fromEntry, 1);
    EXPECT_EQ(graph->YMaxValue(), 250);
    EXPECT_EQ(graph->YIoName(), "SPEED");

    // The divisions change only through their up-down, each step at once.
    std::vector<std::int32_t> steps;
    Open([&] {
        Retype(dialog.UpDownXDivisions->Associate(), QStringLiteral("77"));
        steps.push_back(graph->XSplit());
        for (int i = 0; i < 3; ++i) {
            Click(dialog.UpDownXDivisions->ButtonDown());
            steps.push_back(graph->XSplit());
        }
        Click(dialog.ButtonOk);
    });
    EXPECT_EQ(steps, (std::vector<std::int32_t>{5, 4, 3, 2}));
    graph->SetYSplit(100);
    Open([&] {
        Click(dialog.UpDownYDivisions->ButtonUp());
        Key(&dialog, Qt::Key_Return);
    });
    EXPECT_EQ(graph->YSplit(), 100);
}

TEST_F(XYGraphSetting, OffersItsFiveColoursThenTheFixedGreyAsCustomColours)
{
    graph->SetColorScale(TColor(0x010203));
    graph->SetColorBack(platform::clBtnFace);
    Open([&] { Click(dialog.ButtonOk); });
    const QStringList& lines = dialog.ColorDialog.CustomColors;
    ASSERT_EQ(lines.size(), 16);
    for (const QString& line : lines)
        EXPECT_EQ(line.size(), 13) << line.toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("ColorA=010203"));
    EXPECT_EQ(lines[1], QStringLiteral("ColorB=FF0000"));  // blue
    EXPECT_EQ(lines[2], QStringLiteral("ColorC=808080"));
    EXPECT_EQ(lines[3], QStringLiteral("ColorD=FF0000"));
    EXPECT_EQ(lines[4], QStringLiteral("ColorE=00000F"));  // a system colour loses its top byte
    EXPECT_EQ(lines[5], QStringLiteral("ColorF=D2D2C8"));
    EXPECT_EQ(lines[6], QStringLiteral("ColorG=000000"));
    EXPECT_EQ(lines[15], QStringLiteral("ColorP=000000"));
}

TEST_F(XYGraphSetting, TheTitleBarsCloseKeepsTheChanges)
{
    const int result = Open([&] {
        Pick(dialog.ComboBoxXIOName, SpeedRow);
        Retype(dialog.EditTitle, QStringLiteral("Head"));
        Key(&dialog, Qt::Key_Tab);
        dialog.close();
    });
    EXPECT_EQ(result, TIndicatorSettingDialog::mrCancel);
    EXPECT_EQ(graph->XIoName(), "SPEED");
    EXPECT_EQ(graph->Title(), QStringLiteral("Head"));
}
