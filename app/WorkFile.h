#pragma once
// The work file: the main window's place and size, the dashboard panel's, and every indicator
// with all its properties, kept between runs as nested brace blocks, one block per control.
#include <QString>
#include <QStringList>
#include <string>

class QWidget;

// Rebuilds the main window's geometry and the dashboard's indicators from the file. A file that
// cannot be opened changes nothing, silently; one that is not a regular file or is larger than
// any work file is reported and left alone, also at close; a malformed one is reported in a box
// after what came before the fault was loaded. A kind's property reader that refuses a block
// raises. A load broken off either way, one from which nothing could be loaded, and one that
// left anything of the file out (see WorkFileBackup.h) keep the file as it was under the name
// with ".bak" added, since the next save writes only what was loaded; each load shows one box.
void LoadWorkFile(const QString& fileName);

// Writes the main window's block to the file. A file there that is no longer the one loaded
// (another program wrote it since) is first kept beside it, with a box. The old file is replaced
// only once the new one is whole on the disk; when it cannot be written,
// platform::EPlatformError is raised with the file's name and why, and the old file stays as it
// was.
void SaveWorkFile(const QString& fileName);

// The writer's state for one save: the lines so far and the current indentation.
class TWorkFileWriter {
public:
    QStringList WorkList;
    std::string WorkIndent;

    // Appends the block of the control and, for a container, of its children.
    void SaveControl(const QWidget& control);

private:
    void AddGeometryLines(const QWidget& control);
};
