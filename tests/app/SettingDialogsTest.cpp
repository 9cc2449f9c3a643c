// The indicator settings dialogs, driven with real keys and clicks: what their common frame does
// (seen on the bar graph's dialog) and what each dialog binds to its indicator.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QToolButton>

#include "app/AnalogMeterSetup.h"
#include "app/BarGraphSetup.h"
#include "app/BesidePlacement.h"
#include "app/NumericListSetup.h"
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
        {"Enter in the entry", nullptr, Qt::Key_Enter, nullptr, 1, true},
        {"OK", nullptr, 0, d.ButtonOk, 1, true},
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
                              QStringLiteral("\"1.2.3\"は整数ではありません。")}));
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
