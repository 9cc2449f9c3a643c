// The frame every indicator settings dialog is built on, through a small dialog over a bar graph
// that has one control of each kind: channel list, title on leaving, fixed-point minimum and
// maximum, a live font size with its up-down, two colour buttons.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "app/BesidePlacement.h"
#include "app/IndicatorSetting.h"
#include "indicators/BarGraph.h"
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

class TTrialSetting : public TIndicatorSettingFor<TBarGraph> {
public:
    explicit TTrialSetting(QWidget* owner = nullptr)
        : TIndicatorSettingFor<TBarGraph>(
              owner, {"FTrialSetting", "試験設定", 273, 332, 40, 279, 357, false})
    {
        ComboBoxIOName = NewChannelComboBox(TabSheet1, "ComboBoxIOName", {80, 16, 150, 21});
        EditTitle = NewEntry(TabSheet1, "EditTitle", {80, 44, 150, 21});
        EditMaxValue = NewEntry(TabSheet1, "EditMaxValue", {80, 72, 80, 21});
        EditMinValue = NewEntry(TabSheet1, "EditMinValue", {80, 100, 80, 21});
        UpDownTitleFontSize = NewIntegerEntry(TabSheet2, "EditTitleFontSize", "UpDownTitleFontSize",
                                              {80, 16, 40, 21}, 8, 40, 1, 10, false);
        NewColorButton(TabSheet2, 0, "ButtonScaleColor", "スケール文字", "PanelScaleColor",
                       {8, 48, 100, 25});
        NewColorButton(TabSheet2, 1, "ButtonValueColor", "計測値文字", "PanelValueColor",
                       {8, 80, 100, 25});
        using B = TBarGraph;
        Properties = {
            FixedPoint(&B::MaxValue, &B::SetMaxValue, EditMaxValue, ChannelRow),
            FixedPoint(&B::MinValue, &B::SetMinValue, EditMinValue, ChannelRow),
            Counter(&B::HeightTitle, &B::SetHeightTitle, UpDownTitleFontSize),
            Colour(&B::ColorScale, &B::SetColorScale, 0),
            Colour(&B::ColorValue, &B::SetColorValue, 1),
            Channel(&B::IoName, &B::SetIoName, ComboBoxIOName, ChannelRow,
                    [this](int row) { FollowChannel(ChannelRow, row, EditTitle); }),
            Text(&B::Title, &B::SetTitle, EditTitle),
        };
        FixedGreySlot = 2;
    }

    QComboBox* ComboBoxIOName;
    TExitEdit* EditTitle;
    TExitEdit* EditMaxValue;
    TExitEdit* EditMinValue;
    TUpDown* UpDownTitleFontSize;
    int ChannelRow = -1;
};

class SettingFrame : public ::testing::Test {
protected:
    void SetUp() override
    {
        host.setGeometry(0, 0, 400, 300);
        bar = new TBarGraph(&host, SourceIndexQ7);
        bar->setGeometry(9, 9, 160, 80);
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    }

    int Open(const std::function<void()>& drive, int x = 20, int y = 20)
    {
        return RunWhileOpen(
            dialog, [&] { return dialog.Execute(bar, x, y); }, drive);
    }

    BoxRecorder boxes;
    ColorDialogScript colors;
    QWidget host;
    TBarGraph* bar = nullptr;  // owned by host
    TTrialSetting dialog;
};

}  // namespace

TEST(CustomColorLine, IsColorTheSlotLetterAndSixUpperCaseDigitsOfTheLow24Bits)
{
    EXPECT_EQ(platform::CustomColorLine(0, 255), QStringLiteral("ColorA=0000FF"));
    EXPECT_EQ(platform::CustomColorLine(5, TIndicatorSettingDialog::FixedGrey),
              QStringLiteral("ColorF=D2D2C8"));
    EXPECT_EQ(platform::CustomColorLine(15, 0), QStringLiteral("ColorP=000000"));
    // A system colour loses its top byte.
    EXPECT_EQ(platform::CustomColorLine(2, platform::clBtnFace), QStringLiteral("ColorC=00000F"));
    EXPECT_EQ(platform::CustomColorLine(3, TColor(0xFFABCDEF)), QStringLiteral("ColorD=ABCDEF"));
}

TEST(BesidePlacement, RightOfTheAnchorElseLeftTopMovedUpIntoTheWorkArea)
{
    const TBesideScreen screen{1024, 738};
    // Room on the right: beside the anchor's right edge, tops aligned.
    EXPECT_EQ(PlaceBeside(100, 50, 160, {273, 300}, screen), (platform::TPoint{260, 50}));
    // Right edge exactly on the desktop's edge still fits.
    EXPECT_EQ(PlaceBeside(591, 50, 160, {273, 300}, screen), (platform::TPoint{751, 50}));
    // One pixel more: the dialog's right edge meets the anchor's left edge.
    EXPECT_EQ(PlaceBeside(592, 50, 160, {273, 300}, screen), (platform::TPoint{319, 50}));
    // Bottom past the work area: the bottom lies on it.
    EXPECT_EQ(PlaceBeside(100, 500, 160, {273, 300}, screen), (platform::TPoint{260, 438}));
    // Nothing keeps an edge from going below 0.
    EXPECT_EQ(PlaceBeside(100, 10, 900, {273, 800}, screen), (platform::TPoint{-173, -62}));
}

TEST_F(SettingFrame, IsLaidOutWithItsTabsButtonsAndTheChannelTable)
{
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("試験設定"));
    EXPECT_EQ(dialog.size(), QSize(273, 332));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    EXPECT_EQ(dialog.PageControl->tabText(0), QStringLiteral("基本"));
    EXPECT_EQ(dialog.PageControl->tabText(1), QStringLiteral("オプション"));
    EXPECT_EQ(dialog.PageControl->currentWidget(), dialog.TabSheet1);
    EXPECT_EQ(dialog.ButtonCansel->text(), QStringLiteral("キャンセル"));
    EXPECT_EQ(dialog.ButtonOk->text(), QStringLiteral("了解"));
    EXPECT_EQ(dialog.ButtonCansel->mapTo(&dialog, QPoint()), QPoint(104, 332 - 40 + 8));
    EXPECT_EQ(dialog.ButtonOk->geometry(), QRect(192, 8, 75, 25));
    ASSERT_EQ(dialog.ComboBoxIOName->count(), 12);
    EXPECT_EQ(dialog.ComboBoxIOName->itemText(1), QStringLiteral("Coolant temp[ﾟc]"));
    EXPECT_EQ(dialog.ComboBoxIOName->currentIndex(), -1);
    EXPECT_EQ(dialog.EditedIndicator(), nullptr);
}

TEST_F(SettingFrame, OpensBesideTheIndicatorOrLeftOfItAtTheDesktopsRightEdge)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int right = screen->virtualGeometry().right() + 1;
    const int bottom = screen->availableGeometry().bottom() + 1;

    QRect shown;
    // The first opening already stands with the height its tab sets, title bar and frame
    // included.
    Open(
        [&] {
            shown = SettledOuterGeometry(dialog);
            Key(&dialog, Qt::Key_Return);
        },
        20, 30);
    EXPECT_EQ(shown.topLeft(), QPoint(20 + bar->width(), 30));
    EXPECT_EQ(shown.height(), 279);

    // Near the right edge: the dialog's right edge on the indicator's left edge.
    const int x = right - bar->width() - 100;
    Open(
        [&] {
            shown = SettledOuterGeometry(dialog);
            Key(&dialog, Qt::Key_Return);
        },
        x, 30);
    EXPECT_EQ(shown.right() + 1, x);
    EXPECT_EQ(shown.top(), 30);

    // Near the work area's bottom: the dialog's bottom on it.
    Open(
        [&] {
            shown = SettledOuterGeometry(dialog);
            Key(&dialog, Qt::Key_Return);
        },
        20, bottom - 50);
    EXPECT_EQ(shown.bottom() + 1, bottom);
    EXPECT_EQ(shown.left(), 20 + bar->width());
}

TEST_F(SettingFrame, EachTabSetsItsHeightWhenItShowsAndTheDialogKeepsItsLastTab)
{
    int onOptions = 0;
    Open([&] {
        EXPECT_EQ(SettledOuterGeometry(dialog).height(), 279);
        Click(dialog.PageControl->tabBar(), dialog.PageControl->tabBar()->tabRect(1).center());
        onOptions = SettledOuterGeometry(dialog).height();
        Key(&dialog, Qt::Key_Return);
    });
    EXPECT_EQ(onOptions, 357);
    int reopened = 0;
    Open([&] {
        reopened = SettledOuterGeometry(dialog).height();
        Key(&dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(dialog.PageControl->currentWidget(), dialog.TabSheet2);
    EXPECT_EQ(reopened, 357);
    EXPECT_EQ(dialog.width(), 273);  // the width stays
}

TEST_F(SettingFrame, OffersTheIndicatorsColoursAndTheFixedGreyAsCustomColours)
{
    bar->SetColorScale(platform::clRed);
    bar->SetColorValue(TColor(0x123456));
    colors.answers = {TColor(0x00FF00), std::nullopt};
    Open([&] {
        Click(dialog.PageControl->tabBar(), dialog.PageControl->tabBar()->tabRect(1).center());
        Click(dialog.ColorButtons.at(1));
        Click(dialog.ColorButtons.at(0));  // cancelled
        Key(&dialog, Qt::Key_Return);
    });
    ASSERT_EQ(dialog.ColorDialog.CustomColors.size(), 16);
    for (const QString& line : dialog.ColorDialog.CustomColors)
        EXPECT_EQ(line.size(), 13) << line.toStdString();
    EXPECT_EQ(dialog.ColorDialog.CustomColors[0], QStringLiteral("ColorA=0000FF"));
    EXPECT_EQ(dialog.ColorDialog.CustomColors[1], QStringLiteral("ColorB=123456"));
    EXPECT_EQ(dialog.ColorDialog.CustomColors[2], QStringLiteral("ColorC=D2D2C8"));
    EXPECT_EQ(dialog.ColorDialog.CustomColors[15], QStringLiteral("ColorP=000000"));

    ASSERT_EQ(colors.requests.size(), 2u);
    // Black first; then the colour picked last, not the item's own.
    EXPECT_EQ(colors.requests[0].Color, platform::clBlack);
    EXPECT_EQ(colors.requests[1].Color, TColor(0x00FF00));
    EXPECT_EQ(colors.requests[0].Custom[0], platform::clRed);
    EXPECT_EQ(colors.requests[0].Custom[2], TIndicatorSettingDialog::FixedGrey);
    EXPECT_EQ(bar->ColorValue(), TColor(0x00FF00));
    EXPECT_EQ(bar->ColorScale(), platform::clRed);  // cancelled: unchanged
    EXPECT_EQ(dialog.ColorPanels.at(1)->palette().color(QPalette::Window), QColor(0, 255, 0));
}

TEST_F(SettingFrame, EscAfterSeveralLiveChangesRestoresEveryBackedUpPropertyAndAnswersMinusOne)
{
    bar->SetIoName("TACHO");
    bar->SetTitle(QStringLiteral("回転"));
    bar->SetMaxValue(9000);
    bar->SetMinValue(100);
    bar->SetHeightTitle(12);
    colors.answers = {TColor(0x445566)};
    const int result = Open([&] {
        ASSERT_TRUE(OpenList(dialog.ComboBoxIOName));
        ClickRow(dialog.ComboBoxIOName, SpeedRow);
        ASSERT_TRUE(Focus(dialog.EditMaxValue));
        Type(&dialog, QStringLiteral("5"));
        Key(&dialog, Qt::Key_Tab);
        Click(dialog.PageControl->tabBar(), dialog.PageControl->tabBar()->tabRect(1).center());
        Click(dialog.UpDownTitleFontSize->ButtonUp());
        Click(dialog.UpDownTitleFontSize->ButtonUp());
        Click(dialog.ColorButtons.at(0));
        // Every change is on the indicator while the dialog is open.
        EXPECT_EQ(bar->IoName(), "SPEED");
        EXPECT_EQ(bar->Title(), QStringLiteral("Speed[km/h]"));
        EXPECT_EQ(bar->MaxValue(), 9000500);  // "9000" typed on to "90005", two decimals
        EXPECT_EQ(bar->HeightTitle(), 14);
        EXPECT_EQ(bar->ColorScale(), TColor(0x445566));
        Key(&dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(result, -1);
    EXPECT_EQ(bar->IoName(), "TACHO");
    EXPECT_EQ(bar->PortInfo().Designator, "TACHO");
    EXPECT_EQ(bar->Title(), QStringLiteral("回転"));
    EXPECT_EQ(bar->MaxValue(), 9000);
    EXPECT_EQ(bar->MinValue(), 100);
    EXPECT_EQ(bar->HeightTitle(), 12);
    EXPECT_EQ(bar->ColorScale(), platform::clBlack);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(dialog.EditedIndicator(), nullptr);
}

TEST_F(SettingFrame, EnterFromAnyControlClosesWithOneAndKeepsTheChanges)
{
    // From the live entry.
    EXPECT_EQ(Open([&] {
                  Click(dialog.PageControl->tabBar(),
                        dialog.PageControl->tabBar()->tabRect(1).center());
                  ASSERT_TRUE(Focus(dialog.UpDownTitleFontSize->Associate()));
                  dialog.UpDownTitleFontSize->Associate()->selectAll();
                  Type(&dialog, QStringLiteral("33"));
                  Key(&dialog, Qt::Key_Return);
              }),
              1);
    EXPECT_EQ(bar->HeightTitle(), 33);
    dialog.PageControl->setCurrentWidget(dialog.TabSheet1);

    // From an entry applied on leaving that still holds the focus: Enter applies it, as a click
    // on OK would.
    EXPECT_EQ(Open([&] {
                  ASSERT_TRUE(Focus(dialog.EditTitle));
                  dialog.EditTitle->selectAll();
                  Type(&dialog, QStringLiteral("Oil"));
                  Key(&dialog, Qt::Key_Enter);
              }),
              1);
    EXPECT_EQ(bar->Title(), QStringLiteral("Oil"));

    // From the channel list while it is dropped down: the highlighted row is picked.
    EXPECT_EQ(Open([&] {
                  ASSERT_TRUE(OpenList(dialog.ComboBoxIOName));
                  QWidget* list = dialog.ComboBoxIOName->view();
                  dialog.ComboBoxIOName->view()->setCurrentIndex(
                      dialog.ComboBoxIOName->model()->index(BatteryRow, 0));
                  Key(list, Qt::Key_Return);
              }),
              1);
    EXPECT_EQ(bar->IoName(), "BATTERY");
    EXPECT_EQ(bar->Title(), QStringLiteral("Battery[V]"));
    EXPECT_FALSE(dialog.ComboBoxIOName->view()->isVisible());

    // From the OK button's focus, and by its click.
    EXPECT_EQ(Open([&] {
                  ASSERT_TRUE(Focus(dialog.ButtonOk));
                  Key(&dialog, Qt::Key_Return);
              }),
              1);
    EXPECT_EQ(Open([&] { Click(dialog.ButtonOk); }), 1);
    EXPECT_EQ(bar->IoName(), "BATTERY");
    EXPECT_EQ(bar->HeightTitle(), 33);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(SettingFrame, EnterOnTheCancelButtonAndACancelClickRestoreAndAnswerMinusOne)
{
    bar->SetTitle(QStringLiteral("A"));
    EXPECT_EQ(Open([&] {
                  ASSERT_TRUE(Focus(dialog.EditTitle));
                  Type(&dialog, QStringLiteral("B"));
                  Key(&dialog, Qt::Key_Tab);  // applied on leaving
                  EXPECT_EQ(bar->Title(), QStringLiteral("AB"));
                  ASSERT_TRUE(Focus(dialog.ButtonCansel));
                  Key(&dialog, Qt::Key_Return);
              }),
              -1);
    EXPECT_EQ(bar->Title(), QStringLiteral("A"));

    // A click on Cancel moves the focus first, so the entry is applied, then restored.
    EXPECT_EQ(Open([&] {
                  ASSERT_TRUE(Focus(dialog.EditTitle));
                  Type(&dialog, QStringLiteral("C"));
                  Click(dialog.ButtonCansel);
              }),
              -1);
    EXPECT_EQ(bar->Title(), QStringLiteral("A"));
}

TEST_F(SettingFrame, TheTitleBarsCloseKeepsTheChangesWithThePlatformsCancelResult)
{
    bar->SetMinValue(5);
    const int result = Open([&] {
        ASSERT_TRUE(Focus(dialog.EditMinValue));
        dialog.EditMinValue->selectAll();
        Type(&dialog, QStringLiteral("-7"));
        Key(&dialog, Qt::Key_Tab);
        dialog.close();
    });
    EXPECT_EQ(result, TIndicatorSettingDialog::mrCancel);
    EXPECT_EQ(bar->MinValue(), -7);
    EXPECT_EQ(dialog.EditedIndicator(), nullptr);
}

TEST_F(SettingFrame, ALiveEntryThatIsNoNumberIsReportedAndTheDialogStaysOpen)
{
    bar->SetHeightTitle(20);
    bool stillOpen = false;
    const int result = Open([&] {
        Click(dialog.PageControl->tabBar(), dialog.PageControl->tabBar()->tabRect(1).center());
        QLineEdit* edit = dialog.UpDownTitleFontSize->Associate();
        ASSERT_TRUE(Focus(edit));
        edit->end(false);
        Type(&dialog, QStringLiteral("x"));
        Key(&dialog, Qt::Key_Backspace);
        edit->selectAll();
        Key(&dialog, Qt::Key_Delete);
        stillOpen = dialog.isVisible();
        Key(&dialog, Qt::Key_Escape);
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(result, -1);
    EXPECT_EQ(boxes.Texts(),
              (std::vector<QString>{QStringLiteral("''20x'' は整数ではありません"),
                                    QStringLiteral("''2'' は整数ではありません").mid(0, 0) +
                                        QStringLiteral("'''' は整数ではありません")}));
    EXPECT_EQ(bar->HeightTitle(), 20);
}

TEST_F(SettingFrame, AFixedPointEntryAppliesOnLeavingAndABadOneKeepsTheValue)
{
    bar->SetIoName("BATTERY");
    bar->SetMaxValue(150);  // "15.0"
    bool applied_before_leaving = true;
    std::int32_t afterTab = 0;
    std::int32_t afterBad = 0;
    QString badText;
    const int result = Open([&] {
        EXPECT_EQ(dialog.EditMaxValue->text(), QStringLiteral("15.0"));
        ASSERT_TRUE(Focus(dialog.EditMaxValue));
        dialog.EditMaxValue->selectAll();
        Type(&dialog, QStringLiteral("16.25"));
        applied_before_leaving = bar->MaxValue() != 150;
        Key(&dialog, Qt::Key_Tab);
        afterTab = bar->MaxValue();
        ASSERT_TRUE(Focus(dialog.EditMaxValue));
        dialog.EditMaxValue->selectAll();
        Type(&dialog, QStringLiteral("1.2.3"));
        Key(&dialog, Qt::Key_Tab);
        afterBad = bar->MaxValue();
        badText = dialog.EditMaxValue->text();
        EXPECT_TRUE(dialog.isVisible());
        Click(dialog.ButtonOk);
    });
    EXPECT_EQ(result, 1);
    EXPECT_FALSE(applied_before_leaving);
    EXPECT_EQ(afterTab, 162);
    EXPECT_EQ(afterBad, 162);
    EXPECT_EQ(badText, QStringLiteral("1.2.3"));
    EXPECT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Beeps(), 1);
}

TEST_F(SettingFrame, WithoutAChannelTheEntriesHaveNoDecimals)
{
    bar->SetIoName("NOSUCH");
    bar->SetMinValue(-1234);
    bar->SetMaxValue(5678);
    QString shownMin, shownMax;
    Open([&] {
        shownMin = dialog.EditMinValue->text();
        shownMax = dialog.EditMaxValue->text();
        EXPECT_EQ(dialog.ComboBoxIOName->currentIndex(), -1);
        ASSERT_TRUE(Focus(dialog.EditMinValue));
        dialog.EditMinValue->selectAll();
        Type(&dialog, QStringLiteral("12.9"));
        Key(&dialog, Qt::Key_Tab);
        Key(&dialog, Qt::Key_Return);
    });
    EXPECT_EQ(dialog.ChannelRow, -1);
    EXPECT_EQ(shownMin, QStringLiteral("-1234"));
    EXPECT_EQ(shownMax, QStringLiteral("5678"));
    EXPECT_EQ(bar->MinValue(), 12);  // truncated toward zero
    EXPECT_EQ(TIndicatorSettingDialog::DecimalPointOf(-1), 0);
}

TEST_F(SettingFrame, PickingTheSameChannelSetsOnlyTheNameAnotherReconvertsTheEntries)
{
    bar->SetIoName("TACHO");
    bar->SetTitle(QStringLiteral("エンジン"));
    bar->SetMinValue(-50);
    bar->SetMaxValue(120);
    Open([&] {
        EXPECT_EQ(dialog.ComboBoxIOName->currentIndex(), TachoRow);
        bar->SetIoName("");  // so that the pick's own setting shows
        ASSERT_TRUE(OpenList(dialog.ComboBoxIOName));
        ClickRow(dialog.ComboBoxIOName, TachoRow);
        EXPECT_EQ(bar->IoName(), "TACHO");
        EXPECT_EQ(bar->Title(), QStringLiteral("エンジン"));
        EXPECT_EQ(bar->MinValue(), -50);
        EXPECT_EQ(bar->MaxValue(), 120);
        EXPECT_EQ(dialog.EditTitle->text(), QStringLiteral("エンジン"));

        ASSERT_TRUE(OpenList(dialog.ComboBoxIOName));
        ClickRow(dialog.ComboBoxIOName, SpeedRow);
        Key(&dialog, Qt::Key_Return);
    });
    EXPECT_EQ(bar->IoName(), "SPEED");
    EXPECT_EQ(bar->Title(), QStringLiteral("Speed[km/h]"));
    // The same texts, "-50" and "120", now with two decimals.
    EXPECT_EQ(dialog.EditMinValue->text(), QStringLiteral("-50"));
    EXPECT_EQ(bar->MinValue(), -5000);
    EXPECT_EQ(bar->MaxValue(), 12000);
}

TEST_F(SettingFrame, TheHookInForceIsSavedAndBackAndKeysForOtherWindowsAreTheirs)
{
    int outerKeys = 0;
    const platform::MessageHook before =
        platform::SetApplicationMessageHook([&](platform::TMessage& message, bool&) {
            outerKeys += message.Kind == platform::MessageKind::KeyDown;
        });
    bar->SetHeightTitle(10);
    const int result = Open([&] {
        // A window opened on top of the dialog (as a message box would be) keeps its own keys.
        QWidget other(&dialog, Qt::Dialog);
        other.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
        QTest::keyClick(other.windowHandle(), Qt::Key_Escape);
        QTest::keyClick(other.windowHandle(), Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible());
        other.close();
        Click(dialog.PageControl->tabBar(), dialog.PageControl->tabBar()->tabRect(1).center());
        Click(dialog.UpDownTitleFontSize->ButtonDown());
        Key(&dialog, Qt::Key_Return);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(bar->HeightTitle(), 9);
    EXPECT_EQ(outerKeys, 0);
    QWidget elsewhere;
    QTest::keyClick(&elsewhere, Qt::Key_F2);
    EXPECT_EQ(outerKeys, 1);
    platform::SetApplicationMessageHook(before);
}

TEST(UpDown, StepsWithinItsRangeAndShowsAValueOutsideItUntilTheFirstClick)
{
    QWidget parent;
    auto* edit = new QLineEdit(&parent);
    edit->setGeometry(10, 10, 40, 21);
    TUpDown upDown(&parent, edit, 60, 300, 5, 90);
    EXPECT_EQ(edit->text(), QStringLiteral("90"));
    upDown.Click(true);
    EXPECT_EQ(edit->text(), QStringLiteral("95"));
    upDown.SetPosition(300);
    upDown.Click(true);
    EXPECT_EQ(edit->text(), QStringLiteral("300"));
    upDown.SetPosition(62);
    upDown.Click(false);
    EXPECT_EQ(edit->text(), QStringLiteral("60"));
    // A value from outside the range is shown as it is; a click brings it to the nearest end.
    upDown.SetPosition(400);
    EXPECT_EQ(edit->text(), QStringLiteral("400"));
    upDown.Click(false);
    EXPECT_EQ(edit->text(), QStringLiteral("300"));
    // A typed number is where the next click starts.
    edit->setText(QStringLiteral("100"));
    upDown.Click(true);
    EXPECT_EQ(edit->text(), QStringLiteral("105"));
    // The arrow keys in the edit click it.
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_EQ(edit->text(), QStringLiteral("100"));
}

TEST(ExitEdit, RefusesWhatCodePage932CannotHoldWhereItIsTypedOrPastedAndNamesIt)
{
    BoxRecorder boxes;
    QWidget window;
    auto* edit = new TExitEdit(&window);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(Focus(edit));
    Type(edit, QStringLiteral("油温 é"));
    edit->insert(QStringLiteral("[ﾟc]😀〜"));  // as a paste inserts
    QCoreApplication::processEvents();
    EXPECT_EQ(edit->text(), QStringLiteral("油温 "));
    EXPECT_EQ(
        boxes.Texts(),
        (std::vector<QString>{QStringLiteral("「é」は Shift-JIS で表せないため入力できません"),
                              QStringLiteral("「😀〜」は Shift-JIS で表せないため入力できません")}));
    // A text the program sets is the program's to check.
    edit->setText(QStringLiteral("é"));
    EXPECT_EQ(edit->text(), QStringLiteral("é"));
}
