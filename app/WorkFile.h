#pragma once
// The work file: the main window's place and size and every indicator of the dashboard, kept
// between runs.
#include <QString>

// Rebuilds the dashboard from the file; a missing file leaves it empty.
void LoadWorkFile(const QString& fileName);
// Writes the dashboard to the file.
void SaveWorkFile(const QString& fileName);
