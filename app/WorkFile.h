#pragma once
// The work file: the main window's place and size, the dashboard panel's, and every indicator
// with all its properties, kept between runs as nested brace blocks, one block per control.
#include <QString>
#include <QStringList>
#include <string>

class QWidget;

// Rebuilds the main window's geometry and the dashboard's indicators from the file. A file that
// cannot be opened changes nothing, silently; a malformed one is reported in a box after what
// came before the fault was loaded. A kind's property reader that refuses a block raises. A load
// broken off either way keeps the file as it was under the name with ".bak" added, since the
// next save writes only what was loaded.
void LoadWorkFile(const QString& fileName);

// Writes the main window's block to the file. The old file is replaced only once the new one is
// whole on the disk; when it cannot be written, platform::EPlatformError is raised and the old
// file stays as it was.
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
