// The four indicator settings dialogs and the channel picker as the user sees them, offscreen and
// on a real desktop: placed beside what they edit and sized the same at their first opening as
// at every later one, each tab setting its height, and on every tab each caption fits its control
// (Japanese text included) and no control covers a sibling or leaves its parent (clear of a
// bevelled panel's bevel). ZOLT_SNAPSHOT_DIR=<folder> also writes them as PNGs beside the window
// they were opened from.
#include <gtest/gtest.h>

#include <array>
#include <QAbstractButton>
#include <QDir>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QScreen>

#include "app/AnalogMeterSetup.h"
#include "app/BarGraphSetup.h"
#include "app/BesidePlacement.h"
#include "app/NumericListSetup.h"
#include "app/SourceList.h"
#include "app/XYGraphSetup.h"
#include "indicators/NumericList.h"
#include "tests/app/SettingDialogDriver.h"
#include "tests/support/WindowSystem.h"

using namespace testing_support;

namespace {

// Title bar and frame of a window on a desktop, generously.
constexpr int TallTitleBarAndFrame = 36;

// The problems found on the controls now shown, one line each; empty when the layout is sound.
std::string LayoutProblems(const QWidget& dialog)
{
    std::string problems;
    auto name = [](const QWidget* w) {
        return (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                          : w->objectName())
            .toStdString();
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
        for (const QObject* child : widget->children()) {
            const auto* control = qobject_cast<const QWidget*>(child);
            if (control && !control->isWindow() && control->isVisible())
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

// With ZOLT_SNAPSHOT_DIR set: the dialog and the window beside it, each where it stands.
void SnapshotBeside(QWidget& dialog, QWidget& beside, const QString& file)
{
    const QString folder = qEnvironmentVariable("ZOLT_SNAPSHOT_DIR");
    if (folder.isEmpty())
        return;
    const QRect area = dialog.frameGeometry().united(beside.frameGeometry());
    QImage image(area.size(), QImage::Format_RGB32);
    image.fill(Qt::darkGray);
    QPainter painter(&image);
    painter.drawPixmap(beside.geometry().topLeft() - area.topLeft(), beside.grab());
    painter.drawPixmap(dialog.geometry().topLeft() - area.topLeft(), dialog.grab());
    painter.end();
    QDir().mkpath(folder);
    image.save(QDir(folder).filePath(file));
}

// Opens the dialog twice beside the indicator's corner (or at): both openings stand with the same
// outer rectangle, the first tab's height, right of the corner, else left of it at the desktop's
// right edge, moved up into the work area. On each tab of the first the layout is checked, also
// with room for a taller title bar than the desktop's; tabHeights: 0 where a tab sets none.
template <class TDialog>
void LookAtEveryTab(DialogBench<TDialog>& b, const QString& name, std::array<int, 2> tabHeights,
                    std::optional<QPoint> at = std::nullopt)
{
    SCOPED_TRACE(name.toStdString());
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
                              tabHeights[tab] > 0 ? tabHeights[tab] : outer.height());
                    EXPECT_EQ(outer.width(), opened[0].width());
                    EXPECT_EQ(LayoutProblems(b.dialog), "");
                    const int taller = TallTitleBarAndFrame - (outer.height() - b.dialog.height());
                    if (b.dialog.minimumSize() == b.dialog.maximumSize() && taller > 0) {
                        const QSize shown = b.dialog.size();
                        b.dialog.setFixedSize(shown.width(), shown.height() - taller);
                        EXPECT_EQ(LayoutProblems(b.dialog), "") << "under a tall title bar";
                        b.dialog.setFixedSize(shown);
                        (void)SettledOuterGeometry(b.dialog);
                    }
                    SnapshotBeside(b.dialog, b.host,
                                   QStringLiteral("%1-tab%2.png").arg(name).arg(tab + 1));
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
    EXPECT_EQ(opened[0].height(), tabHeights[0] > 0 ? tabHeights[0] : opened[0].height());
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
        LookAtEveryTab(b, QStringLiteral("dial-gauge-setting"), {366, 454});
    }
    {
        DialogBench<TFBarGraphSetting> b({200, 64});
        b.indicator->SetIoName("JYRO");
        b.indicator->SetTitle(longest);
        b.indicator->SetMarker1("100");
        const QRect desktop = QGuiApplication::primaryScreen()->virtualGeometry();
        LookAtEveryTab(b, QStringLiteral("bar-graph-setting"), {279, 357},
                       QPoint(desktop.right() - 300, 30));  // left of the indicator
    }
    {
        DialogBench<TFXYGraphSetting> b({240, 200});
        b.indicator->SetXIoName("SPEED");
        b.indicator->SetYIoName("TACHO");
        b.indicator->SetTitle(QStringLiteral("Tacho[rpm] vs Speed[km/h]"));
        b.indicator->SetXMaxValue(30000);
        const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
        LookAtEveryTab(b, QStringLiteral("xy-graph-setting"), {373, 359},
                       QPoint(20, work.bottom() - 50));  // moved up
    }
    DialogBench<TFNumericListSetup> b({240, 160});
    b.indicator->SetNumStrList(QStringList{QStringLiteral("Tacho[rpm]"), longest});
    LookAtEveryTab(b, QStringLiteral("numeric-list-setting"), {0, 0});
    TFSourceList picker;
    RunWhileOpen(
        picker, [&] { return picker.Execute(SourceIndexQ7, &b.host); },
        [&] {
            EXPECT_EQ(LayoutProblems(picker), "");
            SnapshotBeside(picker, b.host, QStringLiteral("source-list.png"));
            Key(&picker, Qt::Key_Escape);
        });
}
