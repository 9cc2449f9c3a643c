// The settings window's Open and Save buttons: context files "*.ZLC", the 72 context bytes raw.
#include <algorithm>
#include <QLineEdit>

#include "app/ConfigFiles.h"
#include "app/ProjectOption.h"
#include "platform/Exceptions.h"
#include "platform/SafeFileWrite.h"

namespace {

const QString ContextFileFilter = QStringLiteral("コンフィグレーションファイル(*.ZLC)|*.ZLC");

}  // namespace

void TFProjectOption::ToolButtonOpenClick()
{
    OpenDialog.InitialDir = SaveDialog.InitialDir;
    OpenDialog.Filter = ContextFileFilter;
    if (!OpenDialog.Execute())
        return;
    if (!ReadContextFile(WithConfigExtension(OpenDialog.FileName), Context))
        return;
    ContextToControls();
}

void TFProjectOption::ToolButtonSaveClick()
{
    SaveDialog.InitialDir = OpenDialog.InitialDir;
    SaveDialog.Filter = ContextFileFilter;
    if (!SaveDialog.Execute())
        return;
    const QString fileName = WithConfigExtension(SaveDialog.FileName);

    // Every edit is converted before the file is touched, so that an edit that is no integer
    // leaves the chosen file as it was. The words before the bad edit still reach the context,
    // as they do for Write.
    TMeterContext converted;
    std::copy(std::begin(Context), std::end(Context), converted.begin());
    try {
        TextsToContext(converted,
                       [this](const TContextField& field) { return EditOf(field)->text(); });
    } catch (...) {
        std::copy(converted.begin(), converted.end(), std::begin(Context));
        throw;
    }

    platform::TSafeFileWriter file(fileName);
    if (!file.Open())
        throw platform::EPlatformError(file.FailureMessage());
    std::copy(converted.begin(), converted.end(), std::begin(Context));
    if (!(file.Write(Context, sizeof Context) && file.Commit()))
        throw platform::EPlatformError(file.FailureMessage());
}
