#pragma once
// Opening an indicator's settings dialog from the indicator menu.
#include <string>

class TIndicator;

// Runs the settings dialog of the kind (by its name's prefix) modally for the indicator, beside
// the screen point x, y (the indicator's top-left corner). A prefix without a dialog opens
// nothing.
void ExecuteIndicatorSettings(const std::string& prefix, TIndicator& indicator, int x, int y);
