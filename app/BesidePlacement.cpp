#include "app/BesidePlacement.h"

platform::TPoint PlaceBeside(int anchorX, int anchorY, int anchorWidth, platform::TSize window,
                             const TBesideScreen& screen)
{
    platform::TPoint at{anchorX + anchorWidth, anchorY};
    if (at.X + window.cx > screen.DesktopRight)
        at.X = anchorX - window.cx;
    if (at.Y + window.cy > screen.WorkAreaBottom)
        at.Y = screen.WorkAreaBottom - window.cy;
    return at;
}
