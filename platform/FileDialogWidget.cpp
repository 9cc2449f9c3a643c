#include "platform/FileDialogWidget.h"

#include <QApplication>
#include <QFileDialog>

#include "platform/FileDialog.h"

namespace platform {

void InstallWidgetFileDialogPresenter()
{
    SetFileDialogPresenter([](const FileDialogRequest& request) -> std::optional<QString> {
        QFileDialog dialog(QApplication::activeWindow(), request.Title, request.InitialDir,
                           QtNameFilters(request.Filter));
        if (request.Kind == FileDialogKind::Save) {
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            if (!request.FileName.isEmpty())
                dialog.selectFile(request.FileName);
        } else {
            dialog.setFileMode(QFileDialog::ExistingFile);
        }
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().constFirst();
    });
}

}  // namespace platform
