// The bar graph settings dialog on a bar graph of its own, driven with real keys and clicks.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "app/BarGraphSetup.h"
#include "indicators/Port.h"
#include "tests/app/SettingDialogDriver.h"
#include "tests/support/BoxRecorder.h"

using namespace testing_support;
using platform::TColor;

namespace {

constexpr int SpeedRow = 6;     // two decimals
constexpr int BatteryRow = 11;  // one decimal

class BarGraphDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        host.setGeometry(0, 0, 420, 300);
        bar = new TBarGraph(&host, SourceIndexQ7);
        bar->setGeometry(9, 9, 200, 64);
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    }

    int Open(const std::function<void()>& drive)
    {
        const QPoint corner = bar->mapToGlobal(QPoint());
        return RunWhileOpen(
            dialog, [&] { return dialog.Execute(bar, corner.x(), corner.y()); }, drive);
    }

    void ShowTab(int index)
    {
        QTabBar* tabs = dialog.PageControl->tabBar();
        Click(tabs, tabs->tabRect(index).center());
    }

    // The bar graph's property lines but its place and size (a repaint may grow it).
    QStringList Properties() const
    {
        QStringList lines;
        bar->SaveProperty(lines, "");
        lines.removeIf([](const QString& line) {
            return line.startsWith(QLatin1String("Left=")) ||
                   line.startsWith(QLatin1String("Top=")) ||
                   line.startsWith(QLatin1String("Width=")) ||
                   line.startsWith(QLatin1String("Height="));
        });
        return lines;
    }

    void Retype(QLineEdit* entry, const QString& text)
    {
        ASSERT_TRUE(Focus(entry));
        entry->selectAll();
        Type(&dialog, text);
    }

    BoxRecorder boxes;
    ColorDialogScript colors;
    QWidget host;
    TBarGraph* bar = nullptr;  // owned by host
    TFBarGraphSetting dialog;
};

}  // namespace

TEST_F(BarGraphDialog, HasItsCaptionControlsAndRanges)
{
    EXPECT_EQ(dialog.objectName(), QStringLiteral("FBarGraphSetting"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("バーグラフ設定"));
    EXPECT_EQ(dialog.size(), QSize(273, 332));
    EXPECT_EQ(dialog.ComboBoxIOName->count(), 12);
    EXPECT_EQ(dialog.ComboBoxStyle->count(), 2);
    EXPECT_EQ(dialog.ComboBoxStyle->itemText(0), QStringLiteral("水平"));
    EXPECT_EQ(dialog.ComboBoxStyle->itemText(1), QStringLiteral("垂直"));
    for (TUpDown* upDown : {dialog.UpDownTitleFontSize, dialog.UpDownScaleFontSize}) {
        EXPECT_EQ(upDown->Min(), 8);
        EXPECT_EQ(upDown->Max(), 40);
        EXPECT_EQ(upDown->Increment(), 1);
        EXPECT_FALSE(upDown->Associate()->isReadOnly());
    }
    const std::vector<std::pair<QPushButton*, const char*>> buttons = {
        {dialog.ButtonScaleColor, "スケール文字"},
        {dialog.ButtonValueColor, "計測値文字"},
        {dialog.ButtonMarkerColor, "マーカーライン"},
        {dialog.ButtonBarColor, "バー"},
        {dialog.ButtonBackColor, "バックグランド"}};
    for (std::size_t tag = 0; tag < buttons.size(); ++tag) {
        EXPECT_EQ(buttons[tag].first->text(), QString::fromUtf8(buttons[tag].second));
        EXPECT_EQ(TIndicatorSettingDialog::TagOf(buttons[tag].first), int(tag));
    }
    QStringList labels;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        labels << label->text();
    for (const char* text : {"チャンネル", "タイトル", "最高値", "最低値", "マーカー1", "マーカー2",
                             "スタイル", "タイトル[pixel]", "スケール/計測値[pixel]"})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(text))) << text;
    EXPECT_EQ(dialog.findChild<QGroupBox*>(QStringLiteral("GroupBoxColor"))->title(),
              QStringLiteral(" 色 "));
}

TEST_F(BarGraphDialog, OpensWithTheBarGraphsValuesInItsControls)
{
    bar->SetIoName("SPEED");
    bar->SetMinValue(-1250);
    bar->SetMaxValue(18000);
    bar->SetHeightTitle(12);
    bar->SetHeightValue(44);  // outside the up-down's range: shown as it is
    bar->SetVertical(1);
    bar->SetMarker1("\x83\x7D\x81\x5B\x83\x4E");  // "マーク" in code page 932
    bar->SetMarker2("50");
    bar->SetTitle(QStringLiteral("速度"));
    bar->SetColorBar(TColor(0x00AA00));
    QStringList texts;
    Open([&] {
        for (QLineEdit* entry :
             {static_cast<QLineEdit*>(dialog.EditMinValue),
              static_cast<QLineEdit*>(dialog.EditMaxValue), dialog.EditTitleFontSize,
              dialog.EditScaleFontSize, static_cast<QLineEdit*>(dialog.EditMarker1),
              static_cast<QLineEdit*>(dialog.EditMarker2),
              static_cast<QLineEdit*>(dialog.EditTitle)})
            texts << entry->text();
        Key(&dialog, Qt::Key_Return);
    });
    EXPECT_EQ(texts, (QStringList{"-12.50", "180.00", "12", "44", "マーク", "50", "速度"}));
    EXPECT_EQ(dialog.ChannelRow, SpeedRow);
    EXPECT_EQ(dialog.ComboBoxIOName->currentIndex(), SpeedRow);
    EXPECT_EQ(dialog.ComboBoxStyle->currentIndex(), 1);
    EXPECT_EQ(dialog.ColorPanels.at(3)->palette().color(QPalette::Window), QColor(0, 0xAA, 0));
    // Opening and closing changed nothing.
    EXPECT_EQ(bar->HeightValue(), 44);
    EXPECT_EQ(bar->MinValue(), -1250);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(BarGraphDialog, EscAfterChangesToEveryPropertyPutsEachBack)
{
    bar->SetIoName("BATTERY");
    bar->SetTitle(QStringLiteral("電圧"));
    bar->SetMinValue(100);
    bar->SetMaxValue(160);
    bar->SetMarker1("12");
    bar->SetHeightTitle(14);
    bar->SetHeightValue(15);
    bar->SetColorTitle(TColor(0x010203));
    const QStringList before = Properties();
    ASSERT_EQ(before.size(), 14);
    colors.answers = {TColor(1), TColor(2), TColor(3), TColor(4), TColor(5)};
    const int result = Open([&] {
        Retype(dialog.EditTitle, QStringLiteral("新"));
        Retype(dialog.EditMaxValue, QStringLiteral("20"));
        Retype(dialog.EditMinValue, QStringLiteral("-1"));
        Retype(dialog.EditMarker1, QStringLiteral("13.5"));
        Retype(dialog.EditMarker2, QStringLiteral("14"));
        Key(&dialog, Qt::Key_Tab);
        ASSERT_TRUE(OpenList(dialog.ComboBoxStyle));
        ClickRow(dialog.ComboBoxStyle, 1);
        ASSERT_TRUE(OpenList(dialog.ComboBoxIOName));
        ClickRow(dialog.ComboBoxIOName, SpeedRow);
        ShowTab(1);
        for (QPushButton* button :
             {dialog.ButtonScaleColor, dialog.ButtonValueColor, dialog.ButtonMarkerColor,
              dialog.ButtonBarColor, dialog.ButtonBackColor})
            Click(button);
        Click(dialog.UpDownTitleFontSize->ButtonUp());
        Click(dialog.UpDownScaleFontSize->ButtonDown());
        const QStringList during = Properties();
        EXPECT_EQ(bar->Vertical(), 1);
        EXPECT_EQ(bar->IoName(), "SPEED");
        EXPECT_EQ(bar->MaxValue(), 2000);
        EXPECT_EQ(bar->MinValue(), -100);
        EXPECT_EQ(bar->Marker2(), "14");
        EXPECT_EQ(bar->ColorBack(), TColor(5));
        EXPECT_EQ(bar->HeightTitle(), 15);
        EXPECT_EQ(bar->HeightValue(), 14);
        // Every property line changed.
        EXPECT_EQ(std::count_if(during.begin(), during.end(),
                                [&](const QString& line) { return !before.contains(line); }),
                  14);
        // No control edits the title colour, but it is backed up too.
        bar->SetColorTitle(TColor(0x0000FF));
        Key(&dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(result, -1);
    EXPECT_EQ(Properties(), before);
    EXPECT_EQ(bar->ColorTitle(), TColor(0x010203));
    EXPECT_EQ(bar->PortInfo().Designator, "BATTERY");
}

TEST_F(BarGraphDialog, EntriesReachTheBarGraphWhenLeftTheStyleAtOnce)
{
    bar->SetTitle(QStringLiteral("T"));
    bool unchangedWhileTyping = false;
    bool verticalAtOnce = false;
    const int result = Open([&] {
        Retype(dialog.EditTitle, QStringLiteral("Speed"));
        Retype(dialog.EditMarker1, QStringLiteral("30"));
        unchangedWhileTyping = bar->Title() == QStringLiteral("Speed") && bar->Marker1().empty();
        Key(&dialog, Qt::Key_Tab);
        ASSERT_TRUE(OpenList(dialog.ComboBoxStyle));
        ClickRow(dialog.ComboBoxStyle, 1);
        verticalAtOnce = bar->Vertical() == 1;
        ASSERT_TRUE(OpenList(dialog.ComboBoxStyle));
        ClickRow(dialog.ComboBoxStyle, 0);
        Click(dialog.ButtonOk);
    });
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(unchangedWhileTyping);  // the title was applied when the focus left it
    EXPECT_TRUE(verticalAtOnce);
    EXPECT_EQ(bar->Title(), QStringLiteral("Speed"));
    EXPECT_EQ(bar->Marker1(), "30");
    EXPECT_EQ(bar->Vertical(), 0);
}

TEST_F(BarGraphDialog, AFontSizeChangedThenCancelledIsPutBack)
{
    bar->SetHeightValue(16);
    int during = 0;
    EXPECT_EQ(Open([&] {
                  ShowTab(1);
                  Retype(dialog.EditScaleFontSize, QStringLiteral("60"));
                  during = bar->HeightValue();
                  Click(dialog.ButtonCansel);
              }),
              -1);
    // A typed size outside the up-down's range still reaches the bar graph while open.
    EXPECT_EQ(during, 60);
    EXPECT_EQ(bar->HeightValue(), 16);
}

TEST_F(BarGraphDialog, TheColourPickerOffersTheFiveColoursAndTheFixedGrey)
{
    bar->SetColorScale(TColor(0x111111));
    bar->SetColorValue(TColor(0x222222));
    bar->SetColorMarker(TColor(0x333333));
    bar->SetColorBar(TColor(0x444444));
    bar->SetColorBack(platform::clBtnFace);
    colors.answers = {std::nullopt};
    Open([&] {
        ShowTab(1);
        Click(dialog.ButtonMarkerColor);
        Key(&dialog, Qt::Key_Return);
    });
    EXPECT_EQ(dialog.ColorDialog.CustomColors,
              (QStringList{"ColorA=111111", "ColorB=222222", "ColorC=333333", "ColorD=444444",
                           "ColorE=00000F", "ColorF=D2D2C8", "ColorG=000000", "ColorH=000000",
                           "ColorI=000000", "ColorJ=000000", "ColorK=000000", "ColorL=000000",
                           "ColorM=000000", "ColorN=000000", "ColorO=000000", "ColorP=000000"}));
    ASSERT_EQ(colors.requests.size(), 1u);
    EXPECT_EQ(colors.requests[0].Custom[4], TColor(0x00000F));
    EXPECT_EQ(colors.requests[0].Custom[5], TIndicatorSettingDialog::FixedGrey);
    EXPECT_EQ(bar->ColorMarker(), TColor(0x333333));
}

TEST_F(BarGraphDialog, AnotherChannelTakesItsDescriptionAndReadsTheRangeWithItsDecimals)
{
    bar->SetIoName("BATTERY");
    bar->SetTitle(QStringLiteral("電圧"));
    bar->SetMinValue(105);  // "10.5"
    bar->SetMaxValue(-20);  // "-2.0": the range may be upside down
    Open([&] {
        ASSERT_TRUE(OpenList(dialog.ComboBoxIOName));
        ClickRow(dialog.ComboBoxIOName, BatteryRow);
        EXPECT_EQ(bar->Title(), QStringLiteral("電圧"));
        EXPECT_EQ(bar->MinValue(), 105);
        ASSERT_TRUE(OpenList(dialog.ComboBoxIOName));
        ClickRow(dialog.ComboBoxIOName, SpeedRow);
        Key(&dialog, Qt::Key_Return);
    });
    EXPECT_EQ(bar->IoName(), "SPEED");
    EXPECT_EQ(bar->Title(), QStringLiteral("Speed[km/h]"));
    EXPECT_EQ(dialog.EditTitle->text(), QStringLiteral("Speed[km/h]"));
    EXPECT_EQ(bar->MinValue(), 1050);
    EXPECT_EQ(bar->MaxValue(), -200);
}
