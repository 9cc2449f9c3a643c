#pragma once
// The platform's open and save dialogs as components: a filter in the form
// "description|pattern|description|pattern", an initial folder, and the name chosen. Every
// dialog runs through one presenter: the widget presenter in the program, a scripted one in tests
// (which answers without a person).
#include <functional>
#include <optional>
#include <QString>

namespace platform {

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
    FileDialogKind Kind = FileDialogKind::Open;
    QString Title;
    QString InitialDir;  // a folder, or a file's full name (its folder, with that file chosen)
    QString Filter;      // "description|pattern|..."
    QString FileName;    // the name proposed
};

// Answers the full name of the file chosen, or nothing when the user cancels.
using FileDialogPresenter = std::function<std::optional<QString>(const FileDialogRequest&)>;

// Replaces the presenter; answers the one it replaced. Without a presenter every dialog is
// cancelled (and noted on standard error).
FileDialogPresenter SetFileDialogPresenter(FileDialogPresenter presenter);

class TFileDialog {
public:
    QString Title;
    QString InitialDir;
    QString Filter;
    QString FileName;

    // Runs the dialog modally; true with FileName set when a file was chosen.
    bool Execute();

protected:
    explicit TFileDialog(FileDialogKind kind) : kind_(kind) {}

private:
    FileDialogKind kind_;
};

class TOpenDialog : public TFileDialog {
public:
    TOpenDialog() : TFileDialog(FileDialogKind::Open) {}
};

class TSaveDialog : public TFileDialog {
public:
    TSaveDialog() : TFileDialog(FileDialogKind::Save) {}
};

// The filter in Qt's form: "MOTファイル(*.mot)|*.mot" gives "MOTファイル(*.mot) (*.mot)"; "*.*"
// (every file on the platform that wrote the filter) gives "*".
QString QtNameFilters(const QString& filter);

}  // namespace platform
