// Reading and writing the work file come with the indicator menu; until then the dashboard
// starts empty and nothing is written.
#include "app/WorkFile.h"

void LoadWorkFile(const QString& /*fileName*/) {}

void SaveWorkFile(const QString& /*fileName*/) {}
