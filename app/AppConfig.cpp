// The application configuration file ("ZOLT.ZLC" in the program's folder): the settings
// window's context and the firmware dialog's folder, read when the window is shown and written
// when it closes.
#include "app/ConfigFiles.h"
#include "app/Main.h"
#include "app/ProjectOption.h"

void TMainForm::LoadAppConfig(const QString& name)
{
    QString folder;
    if (!LoadAppConfigImage(name, AppConfig, TMeterContextRef(FProjectOption->Context), folder))
        return;
    OpenDialog.InitialDir = folder;
    FProjectOption->ContextToControls();
}

void TMainForm::SaveAppConfig(const QString& name)
{
    SaveAppConfigImage(name, AppConfig, TMeterContextView(FProjectOption->Context),
                       OpenDialog.InitialDir);
}
