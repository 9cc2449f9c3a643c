// The indicator menu's items (edit, create, delete, copy): come with the indicator lifecycle.
// Until then the menu stands empty.
#include "app/Main.h"

void TMainForm::CreateIndicatorMenuItems() {}
