#pragma once
// Qt's own windows (the colour and file dialogs, standard buttons, edit menus) speak Japanese, as
// every window of the tool does, whatever the user's locale: Debian ships Qt's Japanese texts
// (qt6-translations-l10n), and the program and the widget tests load them once, at start.

namespace platform {

// Call once after the application object exists, before any window is made. False when Qt's
// Japanese texts are not installed: Qt's windows then stay in English.
bool InstallQtJapanese();

}  // namespace platform
