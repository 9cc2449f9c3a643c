// The program's entry: the platform services the windows rely on, the eleven windows in
// start-up order, then the message loop until the main window closes.
#include <QApplication>

#include "app/ApplicationForms.h"
#include "app/Main.h"
#include "platform/ColorDialogWidget.h"
#include "platform/FileDialogWidget.h"
#include "platform/Fonts.h"
#include "platform/QtJapanese.h"
#include "platform/SystemText.h"
#include "platform/WidgetMessageBox.h"

int main(int argc, char* argv[])
{
    // Before the application object starts any thread of its own.
    platform::UseJapaneseSystemTexts();
    QApplication application(argc, argv);
    // The title of message boxes without a caption of their own (and nothing appended to the
    // windows' captions).
    QCoreApplication::setApplicationName(QStringLiteral("ZOLT Tool"));
    platform::InstallFontSubstitutes();
    platform::InstallQtJapanese();
    platform::InstallWidgetMessageBoxes();
    platform::InstallWidgetFileDialogPresenter();
    platform::InstallWidgetColorDialogPresenter();

    const TApplicationForms forms;
    // The main window's closing ends the application, whatever other windows are open.
    QObject::connect(MainForm, &TMainForm::Closed, &application, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    MainForm->show();
    return application.exec();
}
