// The four indicator settings dialogs and the channel picker as the user sees them, offscreen and
// on a real desktop: placed beside what they edit and sized the same at their first opening as
// at every later one, each tab setting its height, and on every tab each caption fits its control
// (Japanese text included) and no control covers a sibling or leaves its parent (clear of a
// bevelled panel's bevel).
#include <gtest/gtest.h>

#include <array>
#include <QAbstractButton>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QScreen>

#include "app/AnalogMeterSetup.h"
#include "app/BarGraphSetup.h"
#include "app/BesidePlacement.h"
#include "app/NumericListSetup.h"
#include "app/SourceList.h"
#include "app/XYGraphSetup.h"
#include "tests/app/SettingDialogDriver.h"
#include "tests/support/WindowSystem.h"

using namespace testing_support;

namespace {

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
    for (const QWidget* widget : dialog.findChildren<QWidget*>()) {
        if (!widget->isVisible())
            continue;
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            fits(label, label->text(), 0);
        else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            fits(button, button->text(), 6);
        else if (const auto* group = qobject_cast<const QGroupBox*>(widget))
            fits(group, group->title(), 16);
        // Controls that arrange their own children are left to themselves.
        if (widget->isWindow() || widget->inherits("QTabWidget") ||
            widget->inherits("QAbstractScrollArea") || widget->inherits("QStackedWidget") ||
            widget->inherits("QComboBox") || widget->inherits("TUpDown") ||
            widget->inherits("QLineEdit") || widget->inherits("QAbstractButton"))
            continue;
        std::vector<const QWidget*> shown;
        for (const QWidget* control : widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!control->isWindow() && control->isVisible())
                shown.push_back(control);
        }
        const auto* bevelled = qobject_cast<const QFrame*>(widget);
        const QRect inside = bevelled && bevelled->frameWidth() > 0
                                 ? bevelled->contentsRect().marginsRemoved({2, 2, 2, 2})
                                 : widget->rect();
        for (std::size_t i = 0; i < shown.size(); ++i) {
            if (widget != &dialog && !inside.contains(shown[i]->geometry()))
                problems += name(shown[i]) + " leaves " + name(widget) + "\n";
            for (std::size_t j = i + 1; j < shown.size(); ++j) {
                if (shown[i]->geometry().intersects(shown[j]->geometry()))
                    problems += name(shown[i]) + " overlaps " + name(shown[j]) + "\n";
            }
        }
    }
    return problems;
}

// Opens the dialog twice beside the indicator's corner (or at): both openings stand with the same
// outer rectangle, the first tab's height, right of the corner, else left of it at the desktop's
// right edge, moved up into the work area. On each tab of the first the layout is checked;
// tabHeights: 0 where a tab keeps the height.
template <class TDialog>
void LookAtEveryTab(DialogBench<TDialog>& b, const char* name, std::array<int, 2> tabHeights,
                    std::optional<QPoint> at = std::nullopt)
{
    SCOPED_TRACE(name);
    std::array<QRect, 2> opened;
    for (int opening = 0; opening < 2; ++opening) {
        b.Open(
            [&] {
                opened[opening] = SettledOuterGeometry(b.dialog);
                for (int tab = 0; opening == 0 && tab < 2; ++tab) {
                    SCOPED_TRACE(tab);
                    b.dialog.PageControl->setCurrentIndex(tab);
                    const QRect outer = SettledOuterGeometry(b.dialog);
                    EXPECT_EQ(outer.height(),
                              tabHeights[tab] ? tabHeights[tab] : opened[0].height());
                    EXPECT_EQ(outer.width(), opened[0].width());
                    EXPECT_EQ(LayoutProblems(b.dialog), "");
                }
                b.dialog.PageControl->setCurrentIndex(0);
                Key(&b.dialog, Qt::Key_Escape);
            },
            at);
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QPoint corner = at ? *at : b.indicator->mapToGlobal(QPoint());
    const QSize size = opened[0].size();
    const platform::TPoint beside = PlaceBeside(
        corner.x(), corner.y(), b.indicator->width(), {size.width(), size.height()},
        {screen->virtualGeometry().right() + 1, screen->availableGeometry().bottom() + 1});
    EXPECT_EQ(opened[0].topLeft(), QPoint(beside.X, beside.Y));
    EXPECT_EQ(opened[1], opened[0]);
}

}  // namespace

TEST(SettingDialogLook, EveryDialogOnBothTabsAndThePickerBesideTheNumericList)
{
    const QString longest = QStringLiteral("Angular velocity[ﾟ/s]");
    {
        DialogBench<TFAnalogMeterSetting> b({200, 200});
        b.indicator->SetIoName("JYRO");  // the longest description
        b.indicator->SetTitle(longest);
        b.indicator->SetUpperLimit("8000");
        LookAtEveryTab(b, "dial-gauge-setting", {366, 454});
    }
    {
        DialogBench<TFBarGraphSetting> b({200, 64});
        b.indicator->SetIoName("JYRO");
        b.indicator->SetTitle(longest);
        b.indicator->SetMarker1("100");
        const QRect desktop = QGuiApplication::primaryScreen()->virtualGeometry();
        LookAtEveryTab(b, "bar-graph-setting", {279, 357},
                       QPoint(desktop.right() - 300, 30));  // left of the indicator
    }
    {
        DialogBench<TFXYGraphSetting> b({240, 200});
        b.indicator->SetXIoName("SPEED");
        b.indicator->SetYIoName("TACHO");
        b.indicator->SetTitle(QStringLiteral("Tacho[rpm] vs Speed[km/h]"));
        b.indicator->SetXMaxValue(30000);
        const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
        LookAtEveryTab(b, "xy-graph-setting", {373, 359},
                       QPoint(20, work.bottom() - 50));  // moved up
    }
    DialogBench<TFNumericListSetup> b({240, 160});
    b.indicator->SetNumStrList(QStringList{QStringLiteral("Tacho[rpm]"), longest});
    LookAtEveryTab(b, "numeric-list-setting", {0, 0});
    TFSourceList picker;
    WhenShown(picker, [&] {
        const QRect at = SettledOuterGeometry(picker);  // right of its caller, level with it
        EXPECT_EQ(at.topLeft(), b.host.frameGeometry().topRight() + QPoint(1, 0));
        EXPECT_EQ(LayoutProblems(picker), "");
        Key(&picker, Qt::Key_Escape);
    });
    picker.Execute(SourceIndexQ7, &b.host);
}
