#include "platform/Panel.h"

namespace platform {

Panel::Panel(QWidget* parent) : QFrame(parent)
{
    // The style's window colour is the button face.
    setAutoFillBackground(true);
    SetBevelOuter(TBevelCut::bvRaised);
}

void Panel::SetBevelOuter(TBevelCut bevel)
{
    bevel_ = bevel;
    switch (bevel) {
    case TBevelCut::bvNone: setFrameStyle(QFrame::NoFrame); break;
    case TBevelCut::bvLowered: setFrameStyle(QFrame::Panel | QFrame::Sunken); break;
    case TBevelCut::bvRaised: setFrameStyle(QFrame::Panel | QFrame::Raised); break;
    }
    setLineWidth(1);
}

void Panel::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    Resize();
}

}  // namespace platform
