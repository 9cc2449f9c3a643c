// The application configuration file ("ZOLT.ZLC" in the program's folder): the settings
// window's context and the firmware dialog's folder, read when the window is shown and written
// when it closes. The folder stored is whatever OpenDialog.InitialDir holds at that moment: the
// firmware button sets it to the full name of the file chosen.
#include "app/BackupCopy.h"
#include "app/ConfigFiles.h"
#include "app/Main.h"
#include "app/ProjectOption.h"

void TMainForm::LoadAppConfig(const QString& name)
{
    QString folder;
    if (!LoadAppConfigImage(name, AppConfig, TMeterContextRef(FProjectOption->Context), folder,
                            &AppConfigAsRead))
        return;
    OpenDialog.InitialDir = folder;
    FProjectOption->ContextToControls();
}

void TMainForm::SaveAppConfig(const QString& name)
{
    // Another program's file (the tool started twice) is kept beside it first.
    const QString fileName = WithConfigExtension(name);
    if (!KeepRewrittenFile(fileName, AppConfigAsRead, ConfigFileMaxSize))
        return;
    // The context as it stands: edits changed without Write or Save do not reach it.
    SaveAppConfigImage(name, AppConfig, TMeterContextView(FProjectOption->Context),
                       OpenDialog.InitialDir);
    AppConfigAsRead = platform::ReadRegularFile(fileName, ConfigFileMaxSize);
}
