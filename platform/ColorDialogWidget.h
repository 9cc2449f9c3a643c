#pragma once
// The colour dialog on screen: installs the presenter that runs the platform's colour dialog
// (Qt's, with its sixteen custom colours) for every TColorDialog.

namespace platform {

void InstallWidgetColorDialogPresenter();

}  // namespace platform
