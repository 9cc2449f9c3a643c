#include "platform/PopupMenu.h"

#include <QMenu>
#include <QPointer>
#include <QVariant>
#include <QWidget>

namespace platform {

namespace {

constexpr const char* Property = "zoltPopupMenu";

}  // namespace

void SetPopupMenu(QWidget* control, QMenu* menu)
{
    // A guarded pointer: a menu that goes first leaves no dangling reference behind.
    control->setProperty(Property, QVariant::fromValue(QPointer<QMenu>(menu)));
    if (!menu) {
        control->setContextMenuPolicy(Qt::DefaultContextMenu);
        return;
    }
    control->setContextMenuPolicy(Qt::CustomContextMenu);
    // One connection per control, whichever menu it carries at the time of the click.
    QObject::disconnect(control, &QWidget::customContextMenuRequested, nullptr, nullptr);
    QObject::connect(control, &QWidget::customContextMenuRequested, control,
                     [control](const QPoint& at) {
                         if (QMenu* attached = PopupMenuOf(control))
                             attached->popup(control->mapToGlobal(at));
                     });
}

QMenu* PopupMenuOf(const QWidget* control)
{
    return control->property(Property).value<QPointer<QMenu>>().data();
}

}  // namespace platform
