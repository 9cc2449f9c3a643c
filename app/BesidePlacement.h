#pragma once
// Where a window opens beside something on screen (an indicator, a dialog): to its right, or to
// its left when the right side would pass the desktop, tops aligned and moved up so that the
// window ends on the work area's bottom edge. Nothing keeps either edge from going below 0.
#include "platform/Geometry.h"

struct TBesideScreen {
    int DesktopRight = 0;    // first x past the virtual desktop (all monitors)
    int WorkAreaBottom = 0;  // first y past the work area (the desktop less the task bar)
};

// anchorX, anchorY: the screen position of the anchor's top-left corner; anchorWidth its width;
// window: the outer size of the window to place. Answers the window's outer top-left corner.
platform::TPoint PlaceBeside(int anchorX, int anchorY, int anchorWidth, platform::TSize window,
                             const TBesideScreen& screen);
