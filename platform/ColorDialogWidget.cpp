#include "platform/ColorDialogWidget.h"

#include <QApplication>
#include <QColorDialog>

#include "platform/ColorDialog.h"

namespace platform {

void InstallWidgetColorDialogPresenter()
{
    SetColorDialogPresenter([](const ColorDialogRequest& request) -> std::optional<TColor> {
        // The custom colours are the application's, shared by every colour dialog.
        for (int slot = 0; slot < CustomColorSlots && slot < QColorDialog::customCount(); ++slot)
            QColorDialog::setCustomColor(slot, QColor::fromRgb(ToQRgb(request.Custom[slot])));
        QColorDialog dialog(QColor::fromRgb(ToQRgb(request.Color)), QApplication::activeWindow());
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return FromQRgb(dialog.selectedColor().rgb());
    });
}

}  // namespace platform
