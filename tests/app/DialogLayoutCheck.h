#pragma once
// Looks at a dialog the way a user would: every caption must fit its control in the dialog's own
// font (Japanese text included), no two controls side by side may overlap, and every control
// must lie inside its parent, clear of a bevelled panel's bevel. With ZOLT_SNAPSHOT_DIR set, the
// dialog is also written as a PNG together with the window beside it, for a look by eye.
#include <QAbstractButton>
#include <QDir>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QTabWidget>
#include <QWidget>
#include <string>
#include <vector>

namespace testing_support {

// The problems found on the controls now shown, one line each; empty when the layout is sound.
inline std::vector<std::string> LayoutProblems(const QWidget& dialog)
{
    std::vector<std::string> problems;
    auto name = [](const QWidget* widget) {
        const QString text = widget->objectName().isEmpty()
                                 ? QString::fromLatin1(widget->metaObject()->className())
                                 : widget->objectName();
        return text.toStdString();
    };
    auto fits = [&](const QWidget* widget, const QString& text, int padding) {
        const int need = widget->fontMetrics().horizontalAdvance(text) + padding;
        if (need > widget->width())
            problems.push_back(name(widget) + ": \"" + text.toStdString() + "\" needs " +
                               std::to_string(need) + " of " + std::to_string(widget->width()));
    };
    for (const QWidget* widget : dialog.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&dialog) || !widget->isVisible())
            continue;
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            fits(label, label->text(), 0);
        else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            fits(button, button->text(), 6);
        else if (const auto* group = qobject_cast<const QGroupBox*>(widget))
            fits(group, group->title(), 16);

        // Controls laid out by hand: none may cover a sibling, all lie inside their parent.
        // Controls that arrange their own children (tab widgets, item views, combo boxes,
        // up-downs) are left to themselves.
        if (widget->isWindow() || qobject_cast<const QTabWidget*>(widget) ||
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
        // Inside a bevelled panel, controls keep clear of the bevel.
        const auto* bevelled = qobject_cast<const QFrame*>(widget);
        const QRect inside = bevelled && bevelled->frameWidth() > 0
                                 ? bevelled->contentsRect().marginsRemoved({2, 2, 2, 2})
                                 : widget->rect();
        for (std::size_t i = 0; i < shown.size(); ++i) {
            if (widget != &dialog && !inside.contains(shown[i]->geometry()))
                problems.push_back(name(shown[i]) + " leaves " + name(widget));
            for (std::size_t j = i + 1; j < shown.size(); ++j) {
                if (shown[i]->geometry().intersects(shown[j]->geometry()))
                    problems.push_back(name(shown[i]) + " overlaps " + name(shown[j]));
            }
        }
    }
    return problems;
}

// With ZOLT_SNAPSHOT_DIR set: writes <file> with the dialog and the window it opened beside,
// each where it stands on the screen. Answers the file written, or nothing.
inline QString SnapshotBeside(QWidget& dialog, QWidget& beside, const QString& file)
{
    const QString folder = qEnvironmentVariable("ZOLT_SNAPSHOT_DIR");
    if (folder.isEmpty())
        return {};
    const QRect area = dialog.frameGeometry().united(beside.frameGeometry());
    QImage image(area.size(), QImage::Format_RGB32);
    image.fill(Qt::darkGray);
    QPainter painter(&image);
    painter.drawPixmap(beside.geometry().topLeft() - area.topLeft(), beside.grab());
    painter.drawPixmap(dialog.geometry().topLeft() - area.topLeft(), dialog.grab());
    painter.end();
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(file);
    return image.save(path) ? path : QString();
}

}  // namespace testing_support
