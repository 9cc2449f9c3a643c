// The dial gauge settings dialog on a dial of its own, driven with real keys and clicks.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "app/AnalogMeterSetup.h"
#include "indicators/Port.h"
#include "tests/app/SettingDialogDriver.h"
#include "tests/support/BoxRecorder.h"
#include "tests/support/WindowSystem.h"

using namespace testing_support;
using platform::TColor;

namespace {

constexpr int TachoRow = 5;     // no decimals
constexpr int SpeedRow = 6;     // two decimals
constexpr int BatteryRow = 11;  // one decimal

class DialDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        host.setGeometry(0, 0, 300, 300);
        dial = new TAnalogMeter(&host, SourceIndexQ7);
        dial->setGeometry(9, 9, 200, 200);
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    }

    int Open(const std::function<void()>& drive)
    {
        const QPoint corner = dial->mapToGlobal(QPoint());
        return RunWhileOpen(
            dialog, [&] { return dialog.Execute(dial, corner.x(), corner.y()); }, drive);
    }

    void ShowTab(int index)
    {
        QTabBar* tabs = dialog.PageControl->tabBar();
        Click(tabs, tabs->tabRect(index).center());
    }

    void Retype(QLineEdit* entry, const QString& text)
    {
        ASSERT_TRUE(Focus(entry));
        entry->selectAll();
        Type(&dialog, text);
    }

    // The dial's property lines but its place and size (a repaint may grow it).
    QStringList Properties() const
    {
        QStringList lines;
        dial->SaveProperty(lines, "");
        lines.removeIf([](const QString& line) {
            return line.startsWith(QLatin1String("Left=")) ||
                   line.startsWith(QLatin1String("Top=")) ||
                   line.startsWith(QLatin1String("Width=")) ||
                   line.startsWith(QLatin1String("Height="));
        });
        return lines;
    }

    BoxRecorder boxes;
    ColorDialogScript colors;
    QWidget host;
    TAnalogMeter* dial = nullptr;  // owned by host
    TFAnalogMeterSetting dialog;
};

}  // namespace

TEST_F(DialDialog, HasItsCaptionControlsRangesAndSteps)
{
    EXPECT_EQ(dialog.objectName(), QStringLiteral("FAnalogMeterSetting"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("ダイヤルメーター設定"));
    EXPECT_EQ(dialog.size(), QSize(273, 429));
    EXPECT_EQ(dialog.ComboBoxIOName->count(), 12);
    struct Expected {
        TUpDown* upDown;
        int min, max, step, position;
        bool readOnly;
    };
    for (const Expected& e :
         std::vector<Expected>{{dialog.UpDownMainScaleDiv, 1, 20, 1, 10, true},
                               {dialog.UpDownSubScaleDiv, 1, 10, 1, 2, true},
                               {dialog.UpDownScaleAngle, 60, 300, 5, 90, true},
                               {dialog.UpDownIndexDivisor, 0, 5, 1, 0, true},
                               {dialog.UpDownTitleFontSize, 8, 40, 1, 10, false},
                               {dialog.UpDownScaleFontSize, 10, 50, 1, 10, false},
                               {dialog.UpDownValueFontSize, 10, 50, 1, 10, false}}) {
        const std::string name = e.upDown->objectName().toStdString();
        EXPECT_EQ(e.upDown->Min(), e.min) << name;
        EXPECT_EQ(e.upDown->Max(), e.max) << name;
        EXPECT_EQ(e.upDown->Increment(), e.step) << name;
        EXPECT_EQ(e.upDown->Position(), e.position) << name;
        EXPECT_EQ(e.upDown->Associate()->isReadOnly(), e.readOnly) << name;
    }
    EXPECT_EQ(dialog.EditMainScaleExp->objectName(), QStringLiteral("EditMainScaleExp"));
    const std::vector<std::pair<QPushButton*, const char*>> buttons = {
        {dialog.ButtonScaleColor, "スケール文字"},   {dialog.ButtonValueColor, "計測値文字"},
        {dialog.ButtonSLineColor, "スケールライン"}, {dialog.ButtonNeedleColor, "ニードル"},
        {dialog.ButtonBackColor, "バッググランド"},  {dialog.ButtonBossColor, "ニードルボス"},
        {dialog.ButtonUpperLimit, "リミット上限"},   {dialog.ButtonLowerLimit, "リミット下限"}};
    for (std::size_t tag = 0; tag < buttons.size(); ++tag) {
        EXPECT_EQ(buttons[tag].first->text(), QString::fromUtf8(buttons[tag].second));
        EXPECT_EQ(TIndicatorSettingDialog::TagOf(buttons[tag].first), int(tag));
    }
    QStringList labels;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        labels << label->text();
    for (const char* text :
         {"チャンネル", "タイトル", "最小値", "最大値", "リミット下限", "リミット上限",
          "メインスケール分割数", "サブスケール分割数", "スケール角度", "スケールファクター",
          "タイトル[pixel]", "スケール文字[%]", "計測値[%]"})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(text))) << text;
}

TEST_F(DialDialog, OpensWithTheDialsValuesAndLeavesThemAsTheyWere)
{
    dial->SetIoName("BATTERY");
    dial->SetMinValue(80);
    dial->SetMaxValue(160);
    dial->SetScaleAngle(330);  // outside the up-down's range: shown as it is
    dial->SetMainScaleExp(2);
    dial->SetHeightValue(30);
    dial->SetUpperLimit("14.5");
    dial->SetLowerLimit("11");
    dial->SetTitle(QStringLiteral("電圧"));
    const QStringList before = Properties();
    QStringList texts;
    const int result = Open([&] {
        for (QLineEdit* entry :
             {static_cast<QLineEdit*>(dialog.EditMinValue),
              static_cast<QLineEdit*>(dialog.EditMaxValue), dialog.EditScaleAngle,
              dialog.EditMainScaleExp, dialog.EditMainScaleDiv, dialog.EditSubScaleDiv,
              dialog.EditValueFontSize, static_cast<QLineEdit*>(dialog.EditUpperLimit),
              static_cast<QLineEdit*>(dialog.EditLowerLimit),
              static_cast<QLineEdit*>(dialog.EditTitle)})
            texts << entry->text();
        Key(&dialog, Qt::Key_Return);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(texts,
              (QStringList{"8.0", "16.0", "330", "2", "10", "5", "30", "14.5", "11", "電圧"}));
    EXPECT_EQ(dialog.ComboBoxIOName->currentIndex(), BatteryRow);
    EXPECT_EQ(Properties(), before);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(DialDialog, TheScaleAngleMovesInStepsOfFiveWithinItsRangeEachClickAtOnce)
{
    dial->SetScaleAngle(290);
    std::vector<int> seen;
    Open([&] {
        for (int click = 0; click < 3; ++click) {
            Click(dialog.UpDownScaleAngle->ButtonUp());
            seen.push_back(dial->ScaleAngle());
        }
        // The read-only entry takes no typing.
        ASSERT_TRUE(Focus(dialog.EditScaleAngle));
        Type(&dialog, QStringLiteral("7"));
        seen.push_back(dial->ScaleAngle());
        Click(dialog.UpDownScaleAngle->ButtonDown());
        seen.push_back(dial->ScaleAngle());
        Key(&dialog, Qt::Key_Return);
    });
    EXPECT_EQ(seen, (std::vector<int>{295, 300, 300, 300, 295}));
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(DialDialog, TheTitleFollowsEveryKeystrokeAndEscPutsItBack)
{
    dial->SetTitle(QStringLiteral("Dial"));
    std::vector<QString> titles;
    const int result = Open([&] {
        ASSERT_TRUE(Focus(dialog.EditTitle));
        dialog.EditTitle->end(false);
        for (const char* key : {"A", "B"}) {
            Type(&dialog, QString::fromLatin1(key));
            titles.push_back(dial->Title());
        }
        Key(&dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(result, -1);
    EXPECT_EQ(titles, (std::vector<QString>{"DialA", "DialAB"}));
    EXPECT_EQ(dial->Title(), QStringLiteral("Dial"));
}

TEST_F(DialDialog, AMinimumReachesTheDialWhenTabLeavesItsEntry)
{
    dial->SetIoName("TACHO");
    dial->SetMinValue(0);
    int whileTyping = -1;
    int afterTab = -1;
    Open([&] {
        Retype(dialog.EditMinValue, QStringLiteral("500"));
        whileTyping = dial->MinValue();
        Key(&dialog, Qt::Key_Tab);
        afterTab = dial->MinValue();
        Key(&dialog, Qt::Key_Return);
    });
    EXPECT_EQ(whileTyping, 0);
    EXPECT_EQ(afterTab, 500);
}

TEST_F(DialDialog, AnotherChannelTakesItsDescriptionAndReadsTheRangeWithItsDecimals)
{
    dial->SetIoName("TACHO");
    dial->SetTitle(QStringLiteral("回転数"));
    dial->SetMinValue(20);
    dial->SetMaxValue(80);
    Open([&] {
        // The channel already chosen: only its name is set again.
        ASSERT_TRUE(OpenList(dialog.ComboBoxIOName));
        ClickRow(dialog.ComboBoxIOName, TachoRow);
        EXPECT_EQ(dial->Title(), QStringLiteral("回転数"));
        EXPECT_EQ(dial->MinValue(), 20);
        ASSERT_TRUE(OpenList(dialog.ComboBoxIOName));
        ClickRow(dialog.ComboBoxIOName, SpeedRow);
        Key(&dialog, Qt::Key_Return);
    });
    EXPECT_EQ(dial->IoName(), "SPEED");
    EXPECT_EQ(dial->PortInfo().Designator, "SPEED");
    EXPECT_EQ(dial->Title(), QStringLiteral("Speed[km/h]"));
    // "20" and "80" with two decimals.
    EXPECT_EQ(dial->MinValue(), 2000);
    EXPECT_EQ(dial->MaxValue(), 8000);
    EXPECT_EQ(dialog.EditMaxValue->text(), QStringLiteral("80"));
}

TEST_F(DialDialog, AnEmptiedFontSizeIsReportedAndKeepsTheSize)
{
    dial->SetHeightScale(20);
    bool open = false;
    Open([&] {
        ShowTab(1);
        Retype(dialog.EditScaleFontSize, QString());
        Key(&dialog, Qt::Key_Delete);
        open = dialog.isVisible();
        Click(dialog.ButtonOk);
    });
    EXPECT_TRUE(open);
    EXPECT_EQ(boxes.Texts(), (std::vector<QString>{QStringLiteral("'''' は整数ではありません")}));
    EXPECT_EQ(dial->HeightScale(), 20);
}

TEST_F(DialDialog, EscAfterChangesToEveryPropertyPutsEachBack)
{
    dial->SetIoName("BATTERY");
    dial->SetTitle(QStringLiteral("電圧"));
    dial->SetMinValue(80);
    dial->SetMaxValue(160);
    dial->SetUpperLimit("15");
    dial->SetLowerLimit("11");
    dial->SetScaleAngle(200);
    dial->SetMainScaleDiv(8);
    dial->SetSubScaleDiv(4);
    dial->SetMainScaleExp(1);
    dial->SetHeightTitle(14);
    dial->SetHeightScale(15);
    dial->SetHeightValue(20);
    dial->SetColorTitle(TColor(0x010203));
    const QStringList before = Properties();
    ASSERT_EQ(before.size(), 22);
    for (int tag = 0; tag < 8; ++tag)
        colors.answers.push_back(TColor(0x100 + tag));
    const int result = Open([&] {
        ASSERT_TRUE(OpenList(dialog.ComboBoxIOName));
        ClickRow(dialog.ComboBoxIOName, SpeedRow);
        Retype(dialog.EditTitle, QStringLiteral("新"));
        Retype(dialog.EditMinValue, QStringLiteral("1"));
        Retype(dialog.EditMaxValue, QStringLiteral("2"));
        Retype(dialog.EditLowerLimit, QStringLiteral("1.5"));
        Retype(dialog.EditUpperLimit, QStringLiteral("1.8"));
        Key(&dialog, Qt::Key_Tab);
        for (TUpDown* upDown : {dialog.UpDownMainScaleDiv, dialog.UpDownSubScaleDiv,
                                dialog.UpDownScaleAngle, dialog.UpDownIndexDivisor})
            Click(upDown->ButtonUp());
        ShowTab(1);
        for (int tag = 0; tag < 8; ++tag)
            Click(dialog.ColorButtons.at(tag));
        for (TUpDown* upDown :
             {dialog.UpDownTitleFontSize, dialog.UpDownScaleFontSize, dialog.UpDownValueFontSize})
            Click(upDown->ButtonDown());
        const QStringList during = Properties();
        // Every property line but the scale height (no control edits it) changed.
        EXPECT_EQ(std::count_if(during.begin(), during.end(),
                                [&](const QString& line) { return !before.contains(line); }),
                  21);
        EXPECT_EQ(dial->ColorLowerLimit(), TColor(0x107));
        // No control edits the title colour, but it is backed up too.
        dial->SetColorTitle(TColor(0x0000FF));
        Key(&dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(result, -1);
    EXPECT_EQ(Properties(), before);
    EXPECT_EQ(dial->ColorTitle(), TColor(0x010203));
    EXPECT_EQ(dial->PortInfo().Designator, "BATTERY");
}

TEST_F(DialDialog, TheColourPickerOffersTheEightColoursAndTheFixedGreyInSlotI)
{
    dial->SetColorScale(1);
    dial->SetColorValue(2);
    dial->SetColorSLine(3);
    dial->SetColorNeedle(4);
    dial->SetColorBack(5);
    dial->SetColorBoss(6);
    dial->SetColorULmt(7);
    dial->SetColorLLmt(TColor(0xFF000010));  // a system colour loses its top byte
    Open([&] { Key(&dialog, Qt::Key_Return); });
    EXPECT_EQ(dialog.ColorDialog.CustomColors,
              (QStringList{"ColorA=000001", "ColorB=000002", "ColorC=000003", "ColorD=000004",
                           "ColorE=000005", "ColorF=000006", "ColorG=000007", "ColorH=000010",
                           "ColorI=D2D2C8", "ColorJ=000000", "ColorK=000000", "ColorL=000000",
                           "ColorM=000000", "ColorN=000000", "ColorO=000000", "ColorP=000000"}));
}

TEST_F(DialDialog, NearTheDesktopsRightEdgeTheDialogEndsOnTheDialsLeftEdgeAndStaysInTheWorkArea)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect desktop = screen->virtualGeometry();
    const QRect work = screen->availableGeometry();
    // The dial's window in the desktop's bottom right corner.
    host.move(desktop.right() + 1 - host.width() - 10, work.bottom() + 1 - host.height() - 10);
    QCoreApplication::processEvents();
    const QPoint corner = dial->mapToGlobal(QPoint());
    QRect shown;
    Open([&] {
        shown = SettledOuterGeometry(dialog);
        Key(&dialog, Qt::Key_Return);
    });
    EXPECT_EQ(shown.right() + 1, corner.x());
    EXPECT_EQ(shown.bottom() + 1, work.bottom() + 1);
}
