#pragma once
// Bringing a window saved on a larger desktop back into the one there is now, keeping a window
// whole on the work area (the desktop less the task bar), and moving a window of a given size
// back onto it.
#include "platform/Geometry.h"

// Shrinks the window to the desktop's size where it is larger, then moves it left and up until
// its right and bottom edges are inside. Left and top are never raised: a window left of or
// above the desktop's origin stays there. window: left, top and outer size.
platform::TRect FitIntoDesktop(platform::TRect window, platform::TSize desktop);

// Shrinks the window to the work area's size where it is larger, then moves it left and up
// until its right and bottom edges are inside, then right and down until its left and top edges
// are. window and workArea: outer rectangles on the desktop.
platform::TRect FitIntoWorkArea(platform::TRect window, platform::TRect workArea);

// Moves the window, never resizing it, as little as it takes: where it fits, until it is whole on
// the work area; where it is wider, until it spans the work area from edge to edge; where it is
// higher, until its top edge is the work area's, so that its title bar stays in reach.
platform::TRect MoveOntoWorkArea(platform::TRect window, platform::TRect workArea);
