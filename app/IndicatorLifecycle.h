#pragma once
// Making and destroying the dashboard's indicators for the whole application: the indicator menu
// and the work file's loader make them here, and the kind of each is told from its name, the
// kind's prefix followed by a number from the kind's counter.
#include <string>

class TIndicator;

// Sets every kind's counter to 0 (at the start of a work-file load).
void ResetIndicatorCounters();

// Makes the indicator of the prefix on the main window's dashboard panel at the placement point,
// names it, gives it the indicator menu and, when block is given, applies the property block at
// *block, advancing *block past it. Null, consuming nothing, for a prefix without a class
// ("_Recorder" or any other). A kind's property reader that refuses the block raises; the
// indicator then stays with what was applied.
TIndicator* CreateIndicator(const std::string& prefix, const char** block);
// Destroys the indicator (null: nothing), unless its name does not split into kind and number.
void DeleteIndicator(TIndicator* indicator);
