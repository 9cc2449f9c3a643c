#include "app/WorkFile.h"

#include <algorithm>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "app/BackupCopy.h"
#include "app/DesktopFit.h"
#include "app/IndexedName.h"
#include "app/IndicatorKinds.h"
#include "app/IndicatorLifecycle.h"
#include "app/KestrelErr.h"
#include "app/Main.h"
#include "app/WorkFileBackup.h"
#include "app/WorkFileEncoding.h"
#include "app/WorkFileReader.h"
#include "indicators/Indicator.h"
#include "platform/Cp932.h"
#include "platform/MessageBox.h"
#include "platform/Panel.h"
#include "platform/RegularFile.h"
#include "platform/SafeFileWrite.h"
#include "platform/SurfaceControl.h"
#include "platform/WindowSize.h"

namespace {

// The bounds of a control as the work file holds them: a window's in screen coordinates, any
// other's in its parent's client coordinates.
struct TBounds {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

TBounds BoundsOf(const QWidget& control)
{
    return {control.x(), control.y(), control.width(), control.height()};
}

// Sets the bounds through the control's own setter, so that an indicator resizes its face and
// a window of fixed size stays fixed. The values are kept inside what a widget can take: a work
// file may hold any 32-bit number.
void SetBoundsOf(QWidget& control, TBounds bounds)
{
    const int left = std::clamp(bounds.Left, -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const int top = std::clamp(bounds.Top, -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const int width = std::clamp(bounds.Width, 0, QWIDGETSIZE_MAX);
    const int height = std::clamp(bounds.Height, 0, QWIDGETSIZE_MAX);
    if (auto* surface = qobject_cast<platform::SurfaceControl*>(&control)) {
        surface->SetBounds(left, top, width, height);
    } else if (control.isWindow()) {
        control.move(left, top);
        platform::SetWindowSize(control, {width, height});
    } else {
        control.setGeometry(left, top, width, height);
    }
}

// A container's blocks hold its children's; the main window and the panels are containers.
bool IsContainer(const QWidget& control)
{
    return control.isWindow() || qobject_cast<const platform::Panel*>(&control) != nullptr;
}

// The main window's component of that name (letter case ignored), if it is a control.
QWidget* FindControl(const std::string& name)
{
    if (name == "MainForm")
        return MainForm;
    const QString wanted = platform::FromCp932(name);
    for (QObject* component : MainForm->findChildren<QObject*>()) {
        if (component->objectName().compare(wanted, Qt::CaseInsensitive) == 0) {
            auto* control = qobject_cast<QWidget*>(component);
            return control && !control->isWindow() ? control : nullptr;
        }
    }
    return nullptr;
}

// What the reading loop finds goes to the main window's controls; what it skips is noted.
class TMainFormTarget : public TWorkFileTarget {
public:
    bool OpenControl(const std::string& name) override
    {
        current_ = FindControl(name);
        return current_ != nullptr;
    }
    void CloseControl() override { current_ = nullptr; }

    bool ControlValue(const std::string& key, std::int32_t value) override
    {
        if (!current_)
            return false;
        TBounds bounds = BoundsOf(*current_);
        if (key == "Left")
            bounds.Left = value;
        else if (key == "Top")
            bounds.Top = value;
        else if (key == "Width")
            bounds.Width = value;
        else if (key == "Height")
            bounds.Height = value;
        else
            return false;
        SetBoundsOf(*current_, bounds);
        ++valuesApplied_;
        return true;
    }

    bool CreateIndicator(const std::string& prefix, const char*& pos) override
    {
        const char* const block = pos;
        const TIndicator* made = ::CreateIndicator(prefix, &pos);
        if (!made)
            return false;
        ++indicatorsMade_;
        // Keys the kind does not know are passed over by its reader: what it writes back tells.
        QStringList written;
        made->SaveProperty(written, {});
        for (const auto& [part, text] :
             UnwrittenPropertyLines({block, std::size_t(pos - block)}, written))
            Skips.Add(part, text);
        return true;
    }

    void Skipped(TSkippedPart part, const std::string& text) override { Skips.Add(part, text); }

    bool NothingLoaded() const { return indicatorsMade_ == 0 && valuesApplied_ == 0; }

    TSkippedParts Skips;

private:
    QWidget* current_ = nullptr;
    int indicatorsMade_ = 0;
    int valuesApplied_ = 0;
};

void FitMainWindowIntoDesktop()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QSize desktop = screen->virtualGeometry().size();
    const TBounds bounds = BoundsOf(*MainForm);
    const platform::TRect fitted = FitIntoDesktop(
        {bounds.Left, bounds.Top, bounds.Left + bounds.Width, bounds.Top + bounds.Height},
        {desktop.width(), desktop.height()});
    SetBoundsOf(*MainForm, {fitted.Left, fitted.Top, fitted.Width(), fitted.Height()});
}

// The file as it was, kept beside it before anything is saved over it; when that fails (a box
// has said why), closing the window leaves the file alone.
bool KeepUnread(const QString& fileName, std::string_view bytes)
{
    if (!KeepBackupCopy(fileName, bytes))
        MainForm->WorkFileMayBeSaved = false;
    return MainForm->WorkFileMayBeSaved;
}

}  // namespace

void LoadWorkFile(const QString& fileName)
{
    const platform::TFileBytes file = platform::ReadRegularFile(fileName, WorkFileMaxSize);
    MainForm->WorkFileAsRead = file;
    if (file.Outcome == platform::ReadOutcome::Unopened)
        return;
    if (file.Outcome == platform::ReadOutcome::Refused) {
        // Not read, so never saved over.
        MainForm->WorkFileMayBeSaved = false;
        platform::ShowMessageBox(platform::CannotReadMessage(fileName, file.Reason), QString(),
                                 platform::BoxIcon::Error, platform::BoxButtons::Ok);
        return;
    }
    std::int8_t code = KestrelEnd;
    TMainFormTarget target;
    // One box for the whole load, whatever it left out.
    const TRegistryFullBoxHeld registryBox;
    try {
        ResetIndicatorCounters();
        // The text ends with the 0x00 byte std::string keeps behind its bytes.
        const char* const text = file.Bytes.c_str();
        code = ReadWorkText(text, target, text + file.Bytes.size());
    } catch (...) {
        KeepUnread(fileName, file.Bytes);
        throw;
    }
    if (code != KestrelEnd) {
        KeepUnread(fileName, file.Bytes);
        platform::ShowMessageBox(KestrelErrMessage(code), QString(), platform::BoxIcon::Error,
                                 platform::BoxButtons::Abort);
        return;
    }
    FitMainWindowIntoDesktop();
    // The header line is compared with nothing: a file is none of the tool's only when nothing
    // at all could be loaded from it.
    if (target.NothingLoaded()) {
        if (KeepUnread(fileName, file.Bytes))
            platform::ShowMessageBox(ForeignFileMessage(fileName, BackupName(fileName)), QString(),
                                     platform::BoxIcon::Information, platform::BoxButtons::Ok);
        return;
    }
    if (target.Skips.Any() && !KeepUnread(fileName, file.Bytes))
        return;
    QStringList box;
    if (registryBox.Missed())
        box.append(RegistryFullMessage());
    if (target.Skips.Any())
        box.append(LeftOutMessage(fileName, BackupName(fileName), target.Skips));
    // Indicators left out are an error, as a full registry's box says; parts of a newer file
    // only kept aside are news.
    const bool error = registryBox.Missed() || target.Skips.BeyondLimit();
    if (!box.isEmpty())
        platform::ShowMessageBox(box.join(QStringLiteral("\n\r")), QString(),
                                 error ? platform::BoxIcon::Error : platform::BoxIcon::Information,
                                 platform::BoxButtons::Ok);
}

void SaveWorkFile(const QString& fileName)
{
    TWorkFileWriter writer;
    writer.WorkList.append(QString::fromLatin1(WorkFileHeader));
    writer.SaveControl(*MainForm);
    if (!KeepRewrittenFile(fileName, MainForm->WorkFileAsRead, WorkFileMaxSize))
        return;
    platform::ReplaceFileContent(fileName, EncodeWorkLines(writer.WorkList));
    // From now on the file as written is the one the next save expects to find.
    MainForm->WorkFileAsRead = platform::ReadRegularFile(fileName, WorkFileMaxSize);
}

void TWorkFileWriter::SaveControl(const QWidget& control)
{
    const QString name = control.objectName();
    if (name == QLatin1String("StatusBar") || name == QLatin1String("ToolBar"))
        return;
    WorkList.append(platform::FromCp932(WorkIndent) + name + QLatin1Char('{'));
    WorkIndent += "  ";
    if (IsContainer(control)) {
        AddGeometryLines(control);
        for (const QObject* child : control.children()) {
            const auto* widget = qobject_cast<const QWidget*>(child);
            // Menus and dialogs are windows of their own, not controls; a nameless widget could
            // not be found again and its block would upset the reader.
            if (widget && !widget->isWindow() && !widget->objectName().isEmpty())
                SaveControl(*widget);
        }
    } else {
        // An indicator of the kind its name gives writes its property lines.
        const auto* indicator = qobject_cast<const TIndicator*>(&control);
        std::int32_t number = 0;
        const auto named = [&](const TIndicatorKind& kind) {
            return ParseIndexedName(kind.Prefix, name, number);
        };
        const auto kinds = IndicatorKinds();
        const auto kind = std::find_if(kinds.begin(), kinds.end(), named);
        if (indicator && kind != kinds.end() && kind->Holds(*indicator))
            indicator->SaveProperty(WorkList, WorkIndent);
        else
            AddGeometryLines(control);
    }
    WorkIndent.resize(WorkIndent.size() - 2);
    WorkList.append(platform::FromCp932(WorkIndent) + QLatin1Char('}'));
}

void TWorkFileWriter::AddGeometryLines(const QWidget& control)
{
    const TBounds bounds = BoundsOf(control);
    const QString indent = platform::FromCp932(WorkIndent);
    WorkList.append(indent + QStringLiteral("Left=%1").arg(bounds.Left));
    WorkList.append(indent + QStringLiteral("Top=%1").arg(bounds.Top));
    WorkList.append(indent + QStringLiteral("Width=%1").arg(bounds.Width));
    WorkList.append(indent + QStringLiteral("Height=%1").arg(bounds.Height));
}
