// The indicator settings dialogs and the settings window, driven with real keys and clicks: what
// the dialogs' common frame does (seen on the bar graph's dialog), what each dialog binds to its
// indicator and how each is left, and each as the user sees it, offscreen and on a real desktop:
// placed beside what it edits and sized the same at every opening, each tab setting its height,
// and on every tab each caption fits its control (Japanese text included) and no control covers
// a sibling or leaves its parent (clear of a bevelled panel's bevel).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QToolButton>

#include "app/AnalogMeterSetup.h"
#include "app/BarGraphSetup.h"
#include "app/BesidePlacement.h"
#include "app/NumericListSetup.h"
#include "app/ProjectOption.h"
#include "app/SourceList.h"
#include "app/XYGraphSetup.h"
#include "tests/app/SettingDialogDriver.h"
#include "tests/support/FileBytes.h"
#include "tests/support/WindowSystem.h"

using namespace testing_support;
using platform::TColor;

namespace {

using BarBench = DialogBench<TFBarGraphSetting>;

// The problems found on the controls now shown, one line each; empty when the layout is sound.
std::string LayoutProblems(const QWidget& dialog)
{
    std::string problems;
    auto name = [](const QWidget* w) {
        return std::string(w->metaObject()->className()) + " " + w->objectName().toStdString();
    };
    auto fits = [&](const QWidget* widget, const QString& text, int padding) {
        if (widget->fontMetrics().horizontalAdvance(text) + padding > widget->width())
            problems += name(widget) + ": \"" + text.toStdString() + "\" does not fit\n";
    };
    // The dialog's own controls too.
    for (const QWidget* widget :
         dialog.findChildren<const QWidget*>() + QList<const QWidget*>{&dialog}) {
        if (!widget->isVisible())
            continue;
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            fits(label, label->text(), 0);
        else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            fits(button, button->text(), 6);
        else if (const auto* group = qobject_cast<const QGroupBox*>(widget))
            fits(group, group->title(), 16);
        // Controls that arrange their own children are left to themselves.
        if ((widget->isWindow() && widget != &dialog) || widget->inherits("QTabWidget") ||
            widget->inherits("QAbstractScrollArea") || widget->inherits("QStackedWidget") ||
            widget->inherits("QComboBox") || widget->inherits("TUpDown") ||
            widget->inherits("QLineEdit") || widget->inherits("QAbstractButton"))
            continue;
        QList<const QWidget*> shown =
            widget->findChildren<const QWidget*>(Qt::FindDirectChildrenOnly);
        shown.removeIf(
            [](const QWidget* control) { return control->isWindow() || !control->isVisible(); });
        const auto* bevelled = qobject_cast<const QFrame*>(widget);
        const QRect inside = bevelled && bevelled->frameWidth() > 0
                                 ? bevelled->contentsRect().marginsRemoved({2, 2, 2, 2})
                                 : widget->rect();
        for (qsizetype i = 0; i < shown.size(); ++i) {
            if (widget != &dialog && !inside.contains(shown[i]->geometry()))
                problems += name(shown[i]) + " leaves " + name(widget) + "\n";
            for (qsizetype j = i + 1; j < shown.size(); ++j)
                if (shown[i]->geometry().intersects(shown[j]->geometry()))
                    problems += name(shown[i]) + " overlaps " + name(shown[j]) + "\n";
        }
    }
    return problems;
}

// Opens the dialog beside the indicator's corner (or at) once for each way out of it. Each opening
// stands with the same outer rectangle, the first tab's height, right of the corner, else left of
// it at the desktop's right edge, moved up into the work area; at the first, each tab sets its
// height (tabHeights: 0 where a tab keeps it) and shows a sound layout.
// Then every control is changed as a user would: another item in each list, "3" typed into each
// entry, a click on each up-down and colour button. Every line of the indicator's properties but
// those in unchanged must change; entries apply when left, but those in live at every keystroke.
// Esc and Cancel (also Enter on it) put each property back, also one only kept (kept changes it
// while open); OK, Enter (also on OK) and the title bar's close box keep every change, but a
// numeric list's rows, which only OK and Enter give it (rows: its rows then). Each colour button
// paints its panel; the colour dialog starts from black, then from the colour picked last, and a
// cancelled pick changes nothing. The custom colours offered are the indicator's colours by tag,
// the fixed grey in greySlot, black elsewhere.
template <class TDialog>
void EveryWayOutKeepsOrPutsBackEveryEdit(DialogBench<TDialog>& bench, std::array<int, 2> tabHeights,
                                         std::optional<QPoint> at, int greySlot,
                                         const QStringList& unchanged, const QStringList& live,
                                         const std::function<void()>& kept,
                                         const QStringList& rows = {})
{
    TDialog& d = bench.dialog;
    const QStringList before = bench.Lines();
    std::vector<QRect> opened;
    // The key pressed (on the control given, if any) or the control clicked (d itself: the title
    // bar's close box), the result.
    // clang-format off
    const std::tuple<int, QWidget*, int> ways[] = {
        {Qt::Key_Escape, nullptr, -1}, {0, d.ButtonCansel, -1}, {Qt::Key_Enter, nullptr, 1},
        {0, d.ButtonOk, 1}, {0, &d, TIndicatorSettingDialog::mrCancel},
        {Qt::Key_Return, d.ButtonCansel, -1}, {Qt::Key_Return, d.ButtonOk, 1}};
    // clang-format on
    for (const auto& [key, click, expected] : ways) {
        SCOPED_TRACE(testing::Message() << key << " " << click);
        bench.indicator->LoadProperty(platform::ToCp932(before.join("\r\n")) + "\r\n}");
        const std::size_t asked = bench.colors.requests.size();
        for (const auto& [tag, button] : d.ColorButtons)
            bench.colors.answers.push_back(TColor(0x100 + tag));
        bench.colors.answers.push_back(std::nullopt);
        QStringList same, liveSeen, changed;
        std::vector<TColor> offered;
        const int result = bench.Open(
            [&] {
                opened.push_back(SettledOuterGeometry(d));
                for (int slot = 0; slot < 16; ++slot)
                    offered.push_back(d.GetColorByIndex(slot) & 0xFFFFFF);
                for (int tab = 0; tab < 2; ++tab) {
                    ShowTab(d.PageControl, tab);
                    if (opened.size() == 1) {
                        EXPECT_EQ(SettledOuterGeometry(d).size(),
                                  QSize(opened[0].width(),
                                        tabHeights[tab] ? tabHeights[tab] : opened[0].height()));
                        EXPECT_EQ(LayoutProblems(d), "");
                    }
                    QWidget* page = d.PageControl->widget(tab);
                    for (QComboBox* box : page->findChildren<QComboBox*>())
                        ChooseFromList(*box, (box->currentIndex() + 1) % box->count());
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
                    EXPECT_EQ(d.GetColorByIndex(slot), slot == greySlot
                                                           ? TIndicatorSettingDialog::FixedGrey
                                                       : colour ? 0x100 + slot
                                                                : 0);
                    if (colour) {
                        EXPECT_EQ(d.ColorPanels.at(slot)->palette().color(QPalette::Window),
                                  QColor(slot, 1, 0));
                    }
                }
                kept();
                changed = bench.Lines();
                for (const QString& line : changed)
                    if (before.contains(line))
                        same << line;
                ShowTab(d.PageControl, 0);
                ASSERT_TRUE(!key || !click || Focus(click));
                if (key)
                    Key(&d, Qt::Key(key));
                else
                    click == &d ? (void)d.close() : Click(click);
            },
            at);
        EXPECT_EQ(result, expected);
        EXPECT_EQ(opened.back(), opened.front());
        const auto& custom = bench.colors.requests.at(asked).Custom;
        EXPECT_EQ(std::vector<TColor>(custom.begin(), custom.end()), offered);
        EXPECT_EQ(bench.colors.requests.at(asked + 1).Color, TColor(0x100));
        EXPECT_EQ(same, unchanged);
        EXPECT_EQ(liveSeen, live);
        const QStringList rowsLeft = changed.filter(QRegularExpression("^(?!Num)")) + rows;
        EXPECT_EQ(bench.Lines(), result < 0 ? before : result == 1 ? rowsLeft : changed);
        EXPECT_EQ(d.EditedIndicator(), nullptr);
    }
    EXPECT_EQ(bench.colors.requests[0].Color, platform::clBlack);
    EXPECT_TRUE(bench.boxes.Boxes().empty());
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QPoint corner = at ? *at : bench.indicator->mapToGlobal(QPoint());
    const platform::TPoint beside = PlaceBeside(
        corner.x(), corner.y(), bench.indicator->width(), {opened[0].width(), opened[0].height()},
        {screen->virtualGeometry().right() + 1, screen->availableGeometry().bottom() + 1});
    EXPECT_EQ(opened[0].topLeft(), QPoint(beside.X, beside.Y));
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

TEST(SettingFrame, EntriesApplyOnLeavingOnlyWhatConvertsWithTheDecimalsOfTheirChannel)
{
    BarBench b;
    auto& d = b.dialog;
    b.indicator->SetIoName("NOSUCH");
    b.indicator->SetMaxValue(150);
    b.indicator->SetMarker1("\x83\x7D\x81\x5B\x83\x4E");  // "マーク" in code page 932
    std::vector<std::int32_t> seen;
    QStringList styles;
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
        for (int i = 0; i < d.ComboBoxStyle->count(); ++i) {  // the styles in order, each picked
            ChooseFromList(*d.ComboBoxStyle, i);
            styles << d.ComboBoxStyle->currentText() + QString::number(b.indicator->Vertical());
        }
        Retype(d.EditMarker1, QStringLiteral("m"));
        Key(&d, Qt::Key_Enter);  // applies the entry still being typed
    }),
              1);
    EXPECT_EQ(b.indicator->Marker1(), "m");
    EXPECT_EQ(seen, (std::vector<std::int32_t>{16, 16}));  // truncated
    EXPECT_EQ(styles, (QStringList{QStringLiteral("水平0"), QStringLiteral("垂直1")}));
    EXPECT_EQ(b.indicator->Title(), QStringLiteral("油温 \"{  }"));
    EXPECT_EQ(b.boxes.Beeps(), 1);
    EXPECT_EQ(
        b.boxes.Texts(),
        (std::vector<QString>{QStringLiteral("「é」は Shift-JIS で表せないため入力できません"),
                              QStringLiteral("「😀〜」は Shift-JIS で表せないため入力できません"),
                              QStringLiteral("\"1.2.3\"は整数ではありません。")}));
}

TEST(SettingDialogs, EveryControlChangesItsPropertyAndEveryWayOutKeepsOrPutsBackTheEdits)
{
    const QString longest = QStringLiteral("Angular velocity[ﾟ/s]");
    {
        DialogBench<TFAnalogMeterSetting> b({200, 200});
        b.indicator->SetIoName("JYRO");  // the longest description
        b.indicator->SetTitle(longest);
        b.indicator->SetUpperLimit("8000");
        EveryWayOutKeepsOrPutsBackEveryEdit(b, {366, 454}, {}, 8, {"ScaleHeight=0"}, {"EditTitle"},
                                            [&] { b.indicator->SetColorTitle(TColor(0x0000FF)); });
    }
    {
        DialogBench<TFXYGraphSetting> b({240, 200});
        b.indicator->SetXIoName("SPEED");
        b.indicator->SetYIoName("TACHO");
        b.indicator->SetTitle(QStringLiteral("Tacho[rpm] vs Speed[km/h]"));
        b.indicator->SetXMaxValue(30000);
        const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
        EveryWayOutKeepsOrPutsBackEveryEdit(b, {373, 359}, QPoint(20, work.bottom() - 50), 5, {},
                                            {},  // moved up
                                            [&] { b.indicator->SetColorTitle(TColor(0x0000FF)); });
    }
    {
        DialogBench<TFNumericListSetup> b({240, 160});
        b.indicator->SetNumStrList(QStringList{"Tacho[rpm]", longest, "Speed[km/h]"});
        EveryWayOutKeepsOrPutsBackEveryEdit(
            b, {0, 0}, {}, 8, {"ColorTitle=0", "NumericName={\"TACHO\",\"JYRO\",\"SPEED\"}"}, {},
            [&] {
                b.indicator->SetTitle(QStringLiteral("x"));
                ShowTab(b.dialog.PageControl, 0);
                ClickLine(b.dialog.ListBox, 0);
                Click(b.dialog.ButtonDel);
                Click(b.dialog.ButtonDel);  // the line that took the deleted one's place
            },
            {"NumericName={\"SPEED\"}"});
        TFSourceList picker;
        WhenShown(picker, [&] {
            const QRect at = SettledOuterGeometry(picker);  // right of its caller, level with it
            EXPECT_EQ(at.topLeft(), b.host.frameGeometry().topRight() + QPoint(1, 0));
            EXPECT_EQ(LayoutProblems(picker), "");
            Key(&picker, Qt::Key_Escape);
        });
        picker.Execute(SourceIndexQ7, &b.host);
    }
    BarBench b({200, 64});
    b.indicator->SetIoName("JYRO");
    b.indicator->SetTitle(longest);
    b.indicator->SetMarker1("100");
    const QRect desktop = QGuiApplication::primaryScreen()->virtualGeometry();
    EveryWayOutKeepsOrPutsBackEveryEdit(b, {279, 357}, QPoint(desktop.right() - 300, 30), 5, {}, {},
                                        [&] {  // left of the indicator
                                            b.indicator->SetColorTitle(TColor(0x0000FF));
                                        });
}

// Each up-down steps by its increment and stops at its limits; a number beyond them, as a work file
// may hold, is brought to the nearest limit by the first click, whichever way it goes. Only the
// font sizes can also be typed into; every other entry changes through its up-down alone.
TEST(SettingDialogs, EachUpDownStepsByItsIncrementWithinItsLimits)
{
    // clang-format off
    TFAnalogMeterSetting dial; TFBarGraphSetting bar; TFXYGraphSetting xy; TFNumericListSetup list;
    const std::tuple<TUpDown*, int, int, int> upDowns[] = {
        {dial.UpDownMainScaleDiv, 1, 20, 1}, {dial.UpDownSubScaleDiv, 1, 10, 1},
        {dial.UpDownScaleAngle, 60, 300, 5}, {dial.UpDownIndexDivisor, 0, 5, 1},
        {dial.UpDownTitleFontSize, 8, 40, 1}, {dial.UpDownScaleFontSize, 10, 50, 1},
        {dial.UpDownValueFontSize, 10, 50, 1},
        {bar.UpDownTitleFontSize, 8, 40, 1}, {bar.UpDownScaleFontSize, 8, 40, 1},
        {xy.UpDownYDivisions, 1, 100, 1}, {xy.UpDownXDivisions, 1, 100, 1},
        {xy.UpDownTitleFontSize, 8, 40, 1}, {xy.UpDownValueFontSize, 8, 40, 1},
        {list.UpDownTitleFontSize, 8, 40, 1}, {list.UpDownListFontSize, 10, 50, 1}};
    // clang-format on
    for (const auto& [upDown, min, max, step] : upDowns) {
        std::vector<int> shown;
        for (const auto& [from, clicks] : {std::pair{min - 1, std::array{true, false, true}},
                                           {max + 1, std::array{false, true, false}}}) {
            upDown->SetPosition(from);
            for (const bool up : clicks) {
                (up ? upDown->ButtonUp() : upDown->ButtonDown())->click();
                shown.push_back(upDown->Associate()->text().toInt());
            }
        }
        EXPECT_EQ(shown, (std::vector{min, min, min + step, max, max, max - step}))
            << upDown->objectName().toStdString();
        EXPECT_NE(upDown->Associate()->isReadOnly(), upDown->objectName().contains("FontSize"))
            << upDown->objectName().toStdString();
    }
}

// The settings window: every way out puts back the message hook that was in force; Open and Save
// read or write a context file, with the extension ".ZLC", only when a name was chosen.
TEST(SettingsWindow, EveryWayOutPutsTheHookBackAndOnlyAChosenFileIsReadOrWritten)
{
    TFProjectOption w;
    int hooked = 0;
    const platform::MessageHook outer = platform::SetApplicationMessageHook(
        [&](platform::TMessage& m, bool&) { hooked += m.Key == Qt::Key_F35; });
    // clang-format off
    const std::pair<std::function<void()>, int> ways[] = {
        {[&] { Click(w.ToolButtonClose); }, 1}, {[&] { Key(&w, Qt::Key_Return); }, 1},
        {[&] { Key(&w, Qt::Key_Escape); }, -1}, {[&] { w.close(); }, -1}};  // the close box
    // clang-format on
    for (const auto& [way, result] : ways) {
        WhenShown(w, way);
        EXPECT_EQ(w.Execute(), result);
        QTest::keyPress(w.EditSector, Qt::Key_F35);
    }
    EXPECT_EQ(hooked, 4);
    platform::SetApplicationMessageHook(outer);

    QTemporaryDir dir;
    WriteAll(dir.filePath("ctx.ZLC"), QByteArray(32, 0) + "\x01\x02" + QByteArray(38, 0));
    // clang-format off
    const std::optional<QString> answers[] = {dir.filePath("ctx"), {}, dir.filePath("saved.txt"), {}};
    // clang-format on
    QStringList asked, shown;
    const platform::FileDialogPresenter previous =
        platform::SetFileDialogPresenter([&](const platform::FileDialogRequest& request) {
            asked << QString::number(int(request.Kind)) + request.Filter;
            return answers[asked.size() - 1];
        });
    for (auto* button : {w.ToolButtonOpen, w.ToolButtonOpen, w.ToolButtonSave, w.ToolButtonSave}) {
        w.EditSector->setText(QString::number(shown.size()));
        button->click();
        shown << w.EditSector->text();
    }
    platform::SetFileDialogPresenter(previous);
    EXPECT_EQ(shown, (QStringList{"258", "1", "2", "3"}));
    EXPECT_EQ(ReadAll(dir.filePath("saved.ZLC")), QByteArray(33, 0) + '\x02' + QByteArray(38, 0));
    const QString zlc = QStringLiteral("コンフィグレーションファイル(*.ZLC)|*.ZLC");
    EXPECT_EQ(asked, (QStringList{"0" + zlc, "0" + zlc, "1" + zlc, "1" + zlc}));
}
