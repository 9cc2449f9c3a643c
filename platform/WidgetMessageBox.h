#pragma once
// The program's message boxes and beep: QMessageBox and the system beep behind ShowMessageBox
// and MessageBeep. The program's main installs them once; tests keep their recorder instead.

namespace platform {

void InstallWidgetMessageBoxes();

}  // namespace platform
