// The indicator settings dialogs, driven with real keys and clicks: what their common frame does
// (seen on the bar graph's dialog), then what each dialog binds to its indicator.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QToolButton>

#include "app/AnalogMeterSetup.h"
#include "app/BarGraphSetup.h"
#include "app/BesidePlacement.h"
#include "app/NumericListSetup.h"
#include "app/XYGraphSetup.h"
#include "indicators/NumericList.h"
#include "tests/app/SettingDialogDriver.h"
#include "tests/support/WindowSystem.h"

using namespace testing_support;
using platform::TColor;

namespace {

using BarBench = DialogBench<TFBarGraphSetting>;

template <class TDialog>
void ClickEveryColour(TDialog& dialog)
{
    ShowTab(dialog.PageControl, 1);
    for (const auto& [tag, button] : dialog.ColorButtons)
        Click(button);
}

// Changes every control of the dialog as a user would: another item in each list, "3" typed into
// each entry, a click on each up-down and colour button. Every line of the indicator's properties
// but those in unchanged must change; entries apply when left, but those in live at every
// keystroke; Esc puts each property back, also one only kept (kept changes it while open).
template <class TDialog>
void EscPutsEveryEditBack(DialogBench<TDialog>& bench, const QStringList& unchanged,
                          const QStringList& live, const std::function<void()>& kept = {})
{
    TDialog& d = bench.dialog;
    const QStringList before = bench.Lines();
    for (int tag = 0; tag < 8; ++tag)
        bench.colors.answers.push_back(TColor(0x100 + tag));
    QStringList same, liveSeen;
    const int result = bench.Open([&] {
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
        if (kept)
            kept();
        for (const QString& line : bench.Lines())
            if (before.contains(line))
                same << line;
        Key(&d, Qt::Key_Escape);
    });
    EXPECT_EQ(result, -1);
    EXPECT_EQ(same, unchanged);
    EXPECT_EQ(liveSeen, live);
    EXPECT_EQ(bench.Lines(), before);
    EXPECT_TRUE(bench.boxes.Boxes().empty());
}

// Each colour button sets its colour and paints its panel; the custom colours offered next time
// are the indicator's colours by tag, the fixed grey in greySlot, black elsewhere.
template <class TDialog>
void ColoursByTag(int greySlot)
{
    DialogBench<TDialog> bench;
    for (int tag = 0; tag < 8; ++tag)
        bench.colors.answers.push_back(TColor(0x10 + tag));
    bench.Open([&] {
        ClickEveryColour(bench.dialog);
        Key(&bench.dialog, Qt::Key_Return);
    });
    bench.Open([&] { Key(&bench.dialog, Qt::Key_Return); });
    QStringList expected;
    for (int slot = 0; slot < 16; ++slot) {
        const bool colour = bench.dialog.ColorButtons.contains(slot);
        expected << platform::CustomColorLine(slot, slot == greySlot
                                                        ? TIndicatorSettingDialog::FixedGrey
                                                    : colour ? 0x10 + slot
                                                             : 0);
        if (colour) {
            EXPECT_EQ(bench.dialog.ColorPanels.at(slot)->palette().color(QPalette::Window),
                      QColor(0x10 + slot, 0, 0));
        }
    }
    EXPECT_EQ(bench.dialog.ColorDialog.CustomColors, expected);
}

}  // namespace

TEST(CustomColorLine, IsTheSlotLetterAndSixUpperCaseDigitsOfTheLow24Bits)
{
    const struct {
        int slot;
        TColor color;
        const char* line;
    } cases[] = {{0, 255, "ColorA=0000FF"},
                 {5, TIndicatorSettingDialog::FixedGrey, "ColorF=D2D2C8"},
                 {15, 0, "ColorP=000000"},
                 {2, platform::clBtnFace, "ColorC=00000F"},  // a system colour loses its top byte
                 {3, TColor(0xFFABCDEF), "ColorD=ABCDEF"}};
    for (const auto& c : cases)
        EXPECT_EQ(platform::CustomColorLine(c.slot, c.color), QString::fromLatin1(c.line));
}

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

TEST(ExitEdit, RefusesWhatCodePage932CannotHoldAndMakesPastedLinesOne)
{
    BoxRecorder boxes;
    QWidget window;
    auto* edit = new TExitEdit(&window);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(Focus(edit));
    Type(edit, QStringLiteral("油温 é"));
    edit->insert(QStringLiteral("[ﾟc]😀〜"));  // as a paste inserts
    edit->insert(QStringLiteral("\"{\r\n}"));
    QCoreApplication::processEvents();
    EXPECT_EQ(edit->text(), QStringLiteral("油温 \"{  }"));
    EXPECT_EQ(
        boxes.Texts(),
        (std::vector<QString>{QStringLiteral("「é」は Shift-JIS で表せないため入力できません"),
                              QStringLiteral("「😀〜」は Shift-JIS で表せないため入力できません")}));
    edit->setText(QStringLiteral("é"));  // a text the program sets is the program's to check
    EXPECT_EQ(edit->text(), QStringLiteral("é"));
}

TEST(SettingFrame, EachWayOfClosingAnswersItsResultKeepsOrRestoresTheEditsAndTheHookInForce)
{
    BarBench b;
    auto& d = b.dialog;
    const struct {
        Gesture way;
        int result;
        bool kept;
    } cases[] = {
        {{"Esc", nullptr, Qt::Key_Escape, nullptr, false}, -1, false},
        {{"Enter in the entry", nullptr, Qt::Key_Enter, nullptr, false}, 1, true},
        {{"Enter on OK", d.ButtonOk, Qt::Key_Return, nullptr, false}, 1, true},
        {{"OK", nullptr, 0, d.ButtonOk, false}, 1, true},
        {{"Enter on Cancel", d.ButtonCansel, Qt::Key_Return, nullptr, false}, -1, false},
        {{"Cancel", nullptr, 0, d.ButtonCansel, false}, -1, false},  // applied, then restored
        {{"title bar", nullptr, Qt::Key_Tab, nullptr, true},
         TIndicatorSettingDialog::mrCancel,
         true},
    };
    // The hook in force is saved while the dialog is open and back when it has closed.
    int outerKeys = 0;
    const platform::MessageHook before =
        platform::SetApplicationMessageHook([&](platform::TMessage& message, bool&) {
            outerKeys += message.Kind == platform::MessageKind::KeyDown;
        });
    for (const auto& c : cases) {
        SCOPED_TRACE(c.way.name);
        b.indicator->SetTitle(QStringLiteral("A"));
        b.indicator->SetHeightTitle(20);
        const int result = b.Open([&] {
            ShowTab(d.PageControl, 1);
            Click(d.UpDownTitleFontSize->ButtonDown());  // live
            ShowTab(d.PageControl, 0);
            ASSERT_TRUE(Focus(d.EditTitle));
            d.EditTitle->end(false);
            Type(&d, QStringLiteral("B"));  // applied on leaving
            EXPECT_EQ(b.indicator->Title(), QStringLiteral("A"));
            Perform(d, c.way);
        });
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(b.indicator->Title(), c.kept ? QStringLiteral("AB") : QStringLiteral("A"));
        EXPECT_EQ(b.indicator->HeightTitle(), c.kept ? 19 : 20);
        EXPECT_EQ(d.EditedIndicator(), nullptr);
    }
    // Keys for a window on top of the dialog (as a message box would be) are that window's;
    // Enter in an open channel list picks its highlighted row first.
    EXPECT_EQ(b.Open([&] {
        QWidget other(&d, Qt::Dialog);
        other.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
        QTest::keyClick(other.windowHandle(), Qt::Key_Escape);
        QTest::keyClick(other.windowHandle(), Qt::Key_Return);
        EXPECT_TRUE(d.isVisible());
        other.close();
        ASSERT_TRUE(OpenList(d.ComboBoxIOName));
        d.ComboBoxIOName->view()->setCurrentIndex(d.ComboBoxIOName->model()->index(BatteryRow, 0));
        Key(d.ComboBoxIOName->view(), Qt::Key_Return);
    }),
              1);
    EXPECT_EQ(b.indicator->IoName(), "BATTERY");
    EXPECT_TRUE(b.boxes.Boxes().empty());
    EXPECT_EQ(outerKeys, 0);
    QWidget elsewhere;
    QTest::keyClick(&elsewhere, Qt::Key_F2);
    EXPECT_EQ(outerKeys, 1);
    platform::SetApplicationMessageHook(before);
}

TEST(SettingFrame, EntriesApplyOnLeavingOnlyWhatConvertsWithTheDecimalsOfTheirChannel)
{
    BarBench b;
    auto& d = b.dialog;
    b.indicator->SetIoName("NOSUCH");
    b.indicator->SetMaxValue(150);
    b.indicator->SetHeightValue(20);
    std::vector<std::int32_t> seen;
    bool open = false;
    EXPECT_EQ(b.Open([&] {
        EXPECT_EQ(d.EditMaxValue->text(), QStringLiteral("150"));  // no channel: no decimals
        Retype(d.EditMaxValue, QStringLiteral("16.95"));
        seen.push_back(b.indicator->MaxValue());  // not yet: applied on leaving
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
        open = d.isVisible();
        Click(d.ButtonOk);
    }),
              1);
    EXPECT_TRUE(open);
    EXPECT_EQ(seen, (std::vector<std::int32_t>{150, 16, 16}));  // truncated
    EXPECT_EQ(d.EditMaxValue->text(), QStringLiteral("1.2.3"));
    EXPECT_EQ(b.boxes.Beeps(), 1);
    ASSERT_EQ(b.boxes.Texts().size(), 3u);
    EXPECT_EQ(b.boxes.Texts()[1], QStringLiteral("''20x'' は整数ではありません"));
    EXPECT_EQ(b.boxes.Texts()[2], QStringLiteral("'''' は整数ではありません"));
    EXPECT_EQ(b.indicator->HeightValue(), 20);

    // A channel picked again sets only its name; another one its title, and the entries' texts
    // now stand for values with its decimals. The dialog opens on the tab it closed on.
    b.indicator->SetIoName("TACHO");
    b.indicator->SetTitle(QStringLiteral("エンジン"));
    b.Open([&] {
        EXPECT_EQ(d.PageControl->currentWidget(), d.TabSheet2);
        EXPECT_EQ(SettledOuterGeometry(d).height(), 357);
        EXPECT_EQ(d.ComboBoxIOName->currentIndex(), TachoRow);
        b.indicator->SetIoName("");  // so that the pick's own setting shows
        ShowTab(d.PageControl, 0);
        Pick(d.ComboBoxIOName, TachoRow);
        seen = {b.indicator->MaxValue()};
        EXPECT_EQ(b.indicator->IoName(), "TACHO");
        EXPECT_EQ(b.indicator->Title(), QStringLiteral("エンジン"));
        Pick(d.ComboBoxIOName, SpeedRow);
        Key(&d, Qt::Key_Return);
    });
    EXPECT_EQ(seen, (std::vector<std::int32_t>{16}));
    EXPECT_EQ(b.indicator->PortInfo().Designator, "SPEED");
    EXPECT_EQ(d.EditTitle->text(), QStringLiteral("Speed[km/h]"));
    EXPECT_EQ(b.indicator->Title(), QStringLiteral("Speed[km/h]"));
    EXPECT_EQ(b.indicator->MaxValue(), 1600);
}

TEST(SettingDialogs, ColourButtonsSetTheirColourAndTheCustomColoursFollowTheTags)
{
    ColoursByTag<TFAnalogMeterSetting>(8);
    ColoursByTag<TFBarGraphSetting>(5);
    ColoursByTag<TFXYGraphSetting>(5);
    ColoursByTag<TFNumericListSetup>(8);
    DialogBench<TFBarGraphSetting> b;
    const TColor value = b.indicator->ColorValue();
    b.colors.answers = {TColor(0x00FF00), std::nullopt};
    b.Open([&] {
        ClickEveryColour(b.dialog);
        Key(&b.dialog, Qt::Key_Return);
    });
    // Black first, then the colour picked last; a cancelled pick changes nothing.
    ASSERT_EQ(b.colors.requests.size(), 5u);
    EXPECT_EQ(b.colors.requests[0].Color, platform::clBlack);
    EXPECT_EQ(b.colors.requests[1].Color, TColor(0x00FF00));
    EXPECT_EQ(b.colors.requests[0].Custom[5], TIndicatorSettingDialog::FixedGrey);
    EXPECT_EQ(b.indicator->ColorValue(), value);
}

TEST(SettingDialogs, EveryControlChangesItsPropertyAndEscPutsEachBack)
{
    {
        DialogBench<TFAnalogMeterSetting> b({200, 200});
        b.indicator->SetIoName("BATTERY");
        EscPutsEveryEditBack(b, {"ScaleHeight=0"}, {"EditTitle"},  // no control edits the line
                             [&] { b.indicator->SetColorTitle(TColor(0x0000FF)); });
    }
    {
        DialogBench<TFXYGraphSetting> b({200, 160});
        EscPutsEveryEditBack(b, {}, {}, [&] { b.indicator->SetColorTitle(TColor(0x0000FF)); });
    }
    {
        DialogBench<TFNumericListSetup> b;
        EscPutsEveryEditBack(b, {"ColorTitle=0"}, {},
                             [&] { b.indicator->SetTitle(QStringLiteral("x")); });
    }
    BarBench b({200, 64});
    auto& d = b.dialog;
    b.indicator->SetIoName("BATTERY");
    b.indicator->SetMinValue(-1250);
    b.indicator->SetHeightValue(44);  // outside the up-down's range: shown as it is
    b.indicator->SetVertical(1);
    b.indicator->SetMarker1("\x83\x7D\x81\x5B\x83\x4E");  // "マーク" in code page 932
    const QStringList before = b.Lines();
    b.Open([&] {
        EXPECT_EQ(d.EditMinValue->text(), QStringLiteral("-125.0"));
        EXPECT_EQ(d.EditScaleFontSize->text(), QStringLiteral("44"));
        EXPECT_EQ(d.EditMarker1->text(), QStringLiteral("マーク"));
        EXPECT_EQ(d.ComboBoxStyle->currentIndex(), 1);
        Key(&d, Qt::Key_Return);
    });
    EXPECT_EQ(b.Lines(), before);
    EscPutsEveryEditBack(b, {}, {}, [&] { b.indicator->SetColorTitle(TColor(0x0000FF)); });
}

TEST(SettingDialogs, TheXYGraphDialogTitlesItsAxesChannelsAndReshowsTheirLimits)
{
    DialogBench<TFXYGraphSetting> b({200, 160});
    auto& d = b.dialog;
    b.indicator->SetXMaxValue(1500);
    b.indicator->SetXMinValue(-20);
    b.indicator->SetYMaxValue(9000);
    QStringList seen;
    b.Open([&] {
        Pick(d.ComboBoxYIOName, TachoRow);
        seen << b.indicator->Title();  // one axis with a channel: named alone
        Pick(d.ComboBoxXIOName, BatteryRow);
        seen << d.EditTitle->text() << d.EditXMaxValue->text() << d.EditXMinValue->text()
             << d.EditYMaxValue->text();
        Retype(d.EditTitle, QStringLiteral("typed"));
        b.indicator->SetXIoName("");  // so that the pick's own setting shows
        Pick(d.ComboBoxXIOName, BatteryRow);
        seen << b.indicator->Title();  // the same channel again sets only its name
        Key(&d, Qt::Key_Return);
    });
    EXPECT_EQ(seen, (QStringList{"Tacho[rpm]", "Tacho[rpm] vs Battery[V]", "150.0", "-2.0", "9000",
                                 "typed"}));
    EXPECT_EQ(b.indicator->XPortInfo().Designator, "BATTERY");
    EXPECT_EQ(b.indicator->Title(), QStringLiteral("typed"));
    EXPECT_EQ(b.indicator->XMaxValue(), 1500);  // the values stay as they were
}
