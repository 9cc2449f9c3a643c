#pragma once
// The base of the four indicator kinds: a custom-drawn control on the dashboard panel, placed on
// the 8-pixel grid where the mouse was last pressed, holding the channel table it was built
// with, and registered, while it lives, in the registry the monitor loop and the repaint-all walk.
#include <cstdint>
#include <QStringList>
#include <QWidget>
#include <string>

#include "indicators/PortInfo.h"
#include "platform/Cursor.h"
#include "platform/Geometry.h"
#include "platform/Mouse.h"
#include "platform/SurfaceControl.h"

class TIndicator : public platform::SurfaceControl {
    Q_OBJECT
public:
    // Placed at MouseDownPos snapped to the grid, 32 by 32, and registered (or, with the registry
    // full, reported and left out of it). The caller sets the parent panel and the name.
    TIndicator(QWidget* AOwner, TPLUT PLUT);
    ~TIndicator() override;

    // Draws the whole face; each kind draws its own.
    void Paint() override {}
    // Redraws only what depends on the channel's value, when it changed; each kind its own.
    virtual void SetValue() {}
    // After every change of size: the kind redraws its whole face at the new size.
    void Resize() override;

    // The kind's property lines, each beginning with Prefix (the work file's indentation, or
    // nothing for a copy); every kind writes its bounds first. None here.
    virtual void SaveProperty(QStringList& List, const std::string& Prefix) const;
    // Applies every property line of the kind found in the text of one block; other keys are
    // passed over. None here.
    virtual void LoadProperty(std::string Text);

    // Splits the name "_Kind12" into kind "_Kind" and number 12; true only when digits follow.
    bool GetUnderbarName(std::string& kind, std::int32_t& number) const;
    // The look-ups over this indicator's own channel table: a copy of the row, or EmptyPort.
    TPortInfo GetDesignatorTable(const std::string& key) const;
    TPortInfo GetDescriptionTable(const std::string& key) const;

    // Mouse layout editing: edge bands of the last hover (1 left, 2 top, 4 right, 8 bottom,
    // 16 inside), the cursor's screen position at the press, and the least size a resize may set.
    std::uint8_t MousePosi = 0;
    platform::TPoint DefMouse;
    std::int32_t WidthMin = 0;
    std::int32_t HeightMin = 0;

    // Classifies a point in the control into its edge bands (MousePosi) and answers the cursor
    // that shows what a drag from there would do.
    platform::TCursor GetMouseStyle(std::int32_t X, std::int32_t Y);

    // Whether a move or resize with the left button is in progress (from the press to the
    // release).
    bool Dragging() const { return MouseLBPush; }

    // The cursor shown over the control.
    platform::TCursor Cursor() const;
    void SetCursor(platform::TCursor cursor);

protected:
    // Every kind's property lines open with its bounds: Left, Top, Width and Height.
    void SaveBoundsProperty(QStringList& List, const std::string& Prefix) const;
    // Sets the bound the key names from the value at the front of Text; false for any other key.
    // The size change invalidates the face but does not draw it: the block's other lines are
    // still to come.
    bool LoadBoundsProperty(const std::string& key, std::string& Text);

    // Any button selects the indicator and sets the placement point; the left one starts a move
    // or resize, decided by the band of the last hover.
    virtual void MouseDown(platform::TMouseButton Button, platform::TShiftState Shift, int X,
                           int Y);
    // Hovering sets the cursor; with the left button held the indicator follows the cursor on
    // the grid and the dashboard panel refits the main window.
    virtual void MouseMove(platform::TShiftState Shift, int X, int Y);
    // Any release ends the edit.
    virtual void MouseUp(platform::TMouseButton Button, platform::TShiftState Shift, int X, int Y);

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // The drag steps of MouseMove.
    void DragMove(int dx, int dy);
    void DragLeftEdge(int dx);
    void DragRightEdge(int dx);
    void DragTopEdge(int dy);
    void DragBottomEdge(int dy);

    std::int32_t FValue = 0;
    TPLUT FPLookupTable = nullptr;
    bool FApplyingBlockBounds = false;  // inside LoadBoundsProperty: Resize draws nothing
    // A left-button move or resize in progress, with the bounds at the press and the last
    // applied snapped offsets.
    bool MouseLBPush = false;
    std::int32_t MemLeft = 0;
    std::int32_t MemTop = 0;
    std::int32_t MemWidth = 0;
    std::int32_t MemHeight = 0;
    std::int32_t MemDX = 0;
    std::int32_t MemDY = 0;
};

// The registry: live indicators in creation order in the first IndicatorCount slots, the rest
// null. One slot is never used.
constexpr int IndicatorSlots = 128;
constexpr int IndicatorLimit = 127;
extern TIndicator* IndicatorArry[IndicatorSlots];
extern std::int32_t IndicatorCount;
// The indicator last pressed with the mouse: the target of the indicator menu.
extern TIndicator* SelectIndicator;

// While one lives, the full registry's box is held back: a work-file load makes every indicator
// of the file in one go and names all it leaves out in its one box.
class TRegistryFullBoxHeld {
public:
    TRegistryFullBoxHeld();
    ~TRegistryFullBoxHeld();
    TRegistryFullBoxHeld(const TRegistryFullBoxHeld&) = delete;
    TRegistryFullBoxHeld& operator=(const TRegistryFullBoxHeld&) = delete;
    // Whether an indicator found no slot meanwhile.
    bool Missed() const;
};
// The full registry's box text.
QString RegistryFullMessage();
// Where, in the dashboard panel's coordinates, the mouse was last pressed on an indicator; new
// indicators are placed there.
extern platform::TPoint MouseDownPos;
