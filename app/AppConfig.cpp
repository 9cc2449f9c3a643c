// The application configuration file ("ZOLT.ZLC" in the program's folder): the settings
// window's context and the firmware dialog's folder, read when the window is shown and written
// when it closes. The folder stored is whatever OpenDialog.InitialDir holds at that moment: the
// firmware button sets it to the full name of the file chosen.
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
    // The context as it stands: edits changed without Write or Save do not reach it.
    SaveAppConfigImage(name, AppConfig, TMeterContextView(FProjectOption->Context),
                       OpenDialog.InitialDir);
}
