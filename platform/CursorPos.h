#pragma once
// The mouse cursor's position on the screen (GetCursorPos).
//
// On a windowing system the cursor follows the pointer and QCursor::pos() answers. The
// offscreen platform that the tests run on has no pointer: there the answer is the global
// position of the last mouse event the application took, so that mouse events sent by a test
// move "the cursor" as a real pointer would.
#include "platform/Geometry.h"

namespace platform {

TPoint GetCursorPos();

}  // namespace platform
