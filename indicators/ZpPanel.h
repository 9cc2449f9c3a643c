#pragma once
// A panel the user moves and resizes with the mouse on the 8-pixel grid. Unlike an indicator it
// has no inside band: a press off its edge bands moves it. Each drag step applies both axes
// and sets all four bounds; a position pushed below 1 is raised to 1 with the size kept.
#include <cstdint>

#include "platform/Geometry.h"
#include "platform/Mouse.h"
#include "platform/Panel.h"

class TZpPanel : public platform::Panel {
    Q_OBJECT
public:
    explicit TZpPanel(QWidget* parent = nullptr);

    std::uint8_t MousePosi = 0;
    platform::TPoint DefMouse;
    int WidthMin = 128;
    int HeightMin = 64;

protected:
    virtual void MouseDown(platform::TMouseButton button, platform::TShiftState shift, int x,
                           int y);
    virtual void MouseMove(platform::TShiftState shift, int x, int y);
    virtual void MouseUp(platform::TMouseButton button, platform::TShiftState shift, int x, int y);

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool MouseLBPush = false;
    int MemLeft = 0;
    int MemTop = 0;
    int MemWidth = 0;
    int MemHeight = 0;
    int MemDX = 0;
    int MemDY = 0;
};
