#pragma once
// The file dialogs on screen: installs the presenter that runs the platform's open and save
// dialogs (Qt's) for every TOpenDialog and TSaveDialog.

namespace platform {

void InstallWidgetFileDialogPresenter();

}  // namespace platform
